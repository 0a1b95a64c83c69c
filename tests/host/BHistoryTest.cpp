// BHistory: how many steps it keeps. Undo and redo step by step, the redo
// branch a new step destroys and the steps that cannot be undone (the hand's,
// the zoom tool's) are in the replay scripts' histories.

#include <gtest/gtest.h>

#include <vector>

#include "BHistory.h"

namespace {

struct Step : BCommand {
  Step(int number, std::vector<int>* destroyed) : fDestroyed(destroyed) { ICommand(number, nullptr, 1, 1, nullptr); }
  ~Step() override { fDestroyed->push_back(fNumber); }
  std::vector<int>* fDestroyed;
};

TEST(BHistoryTest, KeepsTheLastHundredStepsAndDestroysTheOldest) {
  // The number, not the constant: a person can undo exactly 100 steps.
  static_assert(BHistory::kLimit == 100);
  std::vector<int> destroyed, kept;
  BHistory history;
  for (int n = 1; n <= 101; ++n) {
    history.Perform(new Step(n, &destroyed));
    if (n > 1) kept.push_back(n);
  }
  EXPECT_EQ(destroyed, std::vector<int>{1});
  EXPECT_EQ(history.UndoLabels(), kept);
  for (int n = 0; n < 100; ++n) EXPECT_TRUE(history.Undo());
  EXPECT_EQ(history.RedoLabels(), kept);
  EXPECT_FALSE(history.Undo());
}

}  // namespace
