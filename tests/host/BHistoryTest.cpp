// BHistory: which commands it performs, undoes, redoes, keeps and destroys, and
// its whole state after every operation.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "BHistory.h"

namespace {

using Names = std::vector<std::string>;

class Step : public BCommand {
 public:
  Step(int number, int canUndo, Names* log) : fLog(log) { ICommand(number, nullptr, canUndo, 1, nullptr); }
  ~Step() override { Note("~"); }
  void DoIt() override { Note("do"); }
  void UndoIt() override { Note("undo"); }
  void RedoIt() override { Note("redo"); }

 private:
  void Note(const char* what) { fLog->push_back(what + std::to_string(fNumber)); }
  Names* fLog;
};

struct State {
  std::vector<int> undo, redo;
  bool canUndo, canRedo;
  friend bool operator==(const State&, const State&) = default;
};

void PrintTo(const State& s, std::ostream* os) {
  *os << testing::PrintToString(s.undo) << " / " << testing::PrintToString(s.redo) << " can " << s.canUndo
      << s.canRedo;
}

class BHistoryTest : public ::testing::Test {
 protected:
  Step* Make(int number, int canUndo = 1) { return new Step(number, canUndo, &log); }
  State Of() const { return {history.UndoLabels(), history.RedoLabels(), history.CanUndo(), history.CanRedo()}; }
  // The calls made since the last look.
  Names Calls() { return std::exchange(log, {}); }

  Names log;
  BHistory history;
};

TEST_F(BHistoryTest, PerformsUndoesAndRedoesStepByStep) {
  EXPECT_EQ(Of(), (State{{}, {}, false, false}));
  EXPECT_FALSE(history.Undo());
  EXPECT_FALSE(history.Redo());
  history.Perform(Make(1));
  EXPECT_EQ(Of(), (State{{1}, {}, true, false}));
  history.Perform(Make(2));
  history.Perform(Make(3));
  EXPECT_EQ(Of(), (State{{1, 2, 3}, {}, true, false}));
  EXPECT_EQ(Calls(), (Names{"do1", "do2", "do3"}));

  EXPECT_TRUE(history.Undo());
  EXPECT_EQ(Of(), (State{{1, 2}, {3}, true, true}));
  EXPECT_TRUE(history.Undo());
  EXPECT_EQ(Of(), (State{{1}, {2, 3}, true, true}));
  EXPECT_TRUE(history.Redo());
  EXPECT_EQ(Of(), (State{{1, 2}, {3}, true, true}));
  EXPECT_TRUE(history.Undo());
  EXPECT_TRUE(history.Undo());
  EXPECT_FALSE(history.Undo());
  EXPECT_EQ(Of(), (State{{}, {1, 2, 3}, false, true}));
  EXPECT_EQ(Calls(), (Names{"undo3", "undo2", "redo2", "undo2", "undo1"}));

  while (history.Redo()) {
  }
  EXPECT_EQ(Of(), (State{{1, 2, 3}, {}, true, false}));
  EXPECT_EQ(Calls(), (Names{"redo1", "redo2", "redo3"}));
  history.Clear();
  EXPECT_EQ(Of(), (State{{}, {}, false, false}));
  EXPECT_EQ(Calls(), (Names{"~3", "~2", "~1"}));
}

TEST_F(BHistoryTest, AKeptStepDestroysTheRedoBranchOneThatCannotBeUndoneIsDestroyedAtOnce) {
  history.Perform(Make(1));
  history.Perform(Make(2));
  history.Perform(Make(3));
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
  history.Undo();
  Calls();
  history.Keep(Make(5));  // already performed by its gesture
  EXPECT_EQ(Calls(), (Names{"~4"}));
  EXPECT_EQ(Of(), (State{{1, 5}, {}, true, false}));
}

TEST_F(BHistoryTest, KeepsTheLastHundredStepsAndDestroysTheOldest) {
  std::vector<int> kept;
  for (int n = 1; n <= BHistory::kLimit; ++n) history.Perform(Make(n));
  for (int n = 2; n <= BHistory::kLimit + 1; ++n) kept.push_back(n);
  Calls();
  history.Perform(Make(101));
  EXPECT_EQ(Calls(), (Names{"do101", "~1"}));
  EXPECT_EQ(Of(), (State{kept, {}, true, false}));
  for (int n = 0; n < BHistory::kLimit; ++n) EXPECT_TRUE(history.Undo());
  EXPECT_EQ(Of(), (State{{}, kept, false, true}));
}

}  // namespace
