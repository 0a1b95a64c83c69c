// BHistory: which commands it keeps and destroys, and its whole state after
// each operation; undo and redo step by step are in the replay scripts.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "BHistory.h"

namespace {

using Names = std::vector<std::string>;
// Undo labels, redo labels, CanUndo, CanRedo.
using State = std::tuple<std::vector<int>, std::vector<int>, bool, bool>;

struct Step : BCommand {
  Step(int number, int canUndo, Names* log) : fLog(log) { ICommand(number, nullptr, canUndo, 1, nullptr); }
  ~Step() override { Note("~"); }
  void DoIt() override { Note("do"); }
  void UndoIt() override { Note("undo"); }
  void RedoIt() override { Note("redo"); }
  void Note(const char* what) { fLog->push_back(what + std::to_string(fNumber)); }
  Names* fLog;
};

class BHistoryTest : public ::testing::Test {
 protected:
  Step* Make(int number, int canUndo = 1) { return new Step(number, canUndo, &log); }
  State Of() const { return {history.UndoLabels(), history.RedoLabels(), history.CanUndo(), history.CanRedo()}; }
  // The calls made since the last look.
  Names Calls() { return std::exchange(log, {}); }

  Names log;
  BHistory history;
};

// Keep takes a step its gesture has already performed.
TEST_F(BHistoryTest, AKeptStepDestroysTheRedoBranchOneThatCannotBeUndoneIsDestroyedAtOnce) {
  for (int n = 1; n <= 3; ++n) history.Perform(Make(n));
  history.Undo();
  history.Undo();
  Calls();
  history.Perform(Make(7, 0));
  history.Keep(Make(8, 0));
  history.Perform(nullptr);
  history.Keep(nullptr);
  EXPECT_EQ(Calls(), (Names{"do7", "~7", "~8"}));
  EXPECT_EQ(Of(), (State{{1}, {2, 3}, true, true}));

  history.Perform(Make(4));
  EXPECT_EQ(Calls(), (Names{"do4", "~3", "~2"}));
  EXPECT_EQ(Of(), (State{{1, 4}, {}, true, false}));
  EXPECT_FALSE(history.Redo());  // nothing to redo is no call
}

TEST_F(BHistoryTest, KeepsTheLastHundredStepsAndDestroysTheOldest) {
  // The number, not the constant: a person can undo exactly 100 steps.
  static_assert(BHistory::kLimit == 100);
  std::vector<int> kept;
  for (int n = 1; n <= BHistory::kLimit + 1; ++n) {
    history.Perform(Make(n));
    if (n > 1) kept.push_back(n);
  }
  EXPECT_EQ(log.back(), "~1");
  EXPECT_EQ(Of(), (State{kept, {}, true, false}));
  for (int n = 0; n < BHistory::kLimit; ++n) EXPECT_TRUE(history.Undo());
  EXPECT_EQ(Of(), (State{{}, kept, false, true}));
  EXPECT_FALSE(history.Undo());
}

}  // namespace
