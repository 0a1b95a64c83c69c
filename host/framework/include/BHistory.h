#pragma once
// A document's undo history: the performed commands that can be undone, oldest
// first, and a position. A new command destroys the redo branch; the history
// keeps the last kLimit steps and destroys older ones.

#include <memory>
#include <vector>

#include "BCommand.h"

class BHistory {
 public:
  static constexpr int kLimit = 100;

  BHistory() = default;
  BHistory(const BHistory&) = delete;
  BHistory& operator=(const BHistory&) = delete;

  // Performs the command (DoIt) and keeps it when it can be undone; otherwise
  // destroys it. Takes ownership.
  void Perform(BCommand* command);
  // Keeps a command already performed (a tracker after its gesture).
  void Keep(BCommand* command);
  bool Undo();
  bool Redo();
  bool CanUndo() const { return fPosition > 0; }
  bool CanRedo() const { return fPosition < static_cast<int>(fSteps.size()); }
  // Change numbers of the steps undo reaches, in the order performed, and of
  // those redo reaches, in the order it would perform them.
  std::vector<int> UndoLabels() const;
  std::vector<int> RedoLabels() const;

  // The kept steps, oldest first, for checkers that walk what each step holds.
  int StepCount() const { return static_cast<int>(fSteps.size()); }
  const BCommand* Step(int index) const { return fSteps[static_cast<std::size_t>(index)].get(); }
  int Position() const { return fPosition; }

 private:
  std::vector<std::unique_ptr<BCommand>> fSteps;
  int fPosition = 0;  // steps before it are done, from it on undone
};
