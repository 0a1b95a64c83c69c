#include "BHistory.h"

#include <utility>

void BHistory::Perform(BCommand* command) {
  // Owned from here on, so that a command whose DoIt throws is not lost.
  std::unique_ptr<BCommand> owned(command);
  if (!owned) return;
  owned->DoIt();
  Keep(owned.release());
}

void BHistory::Keep(BCommand* command) {
  std::unique_ptr<BCommand> owned(command);
  if (!owned || !owned->CanBeUndone()) return;
  // Room first: once the redo branch is gone the step must not fail to go in.
  fSteps.reserve(static_cast<std::size_t>(fPosition) + 1);
  // Newest first, so that no command outlives one performed before it.
  while (static_cast<int>(fSteps.size()) > fPosition) fSteps.pop_back();
  if (static_cast<int>(fSteps.size()) >= kLimit) fSteps.erase(fSteps.begin());
  fSteps.push_back(std::move(owned));
  fPosition = static_cast<int>(fSteps.size());
}

bool BHistory::Undo() {
  if (!CanUndo()) return false;
  // The position moves only once the step has been undone, so a throwing UndoIt
  // leaves the history where it was.
  fSteps[static_cast<std::size_t>(fPosition) - 1]->UndoIt();
  --fPosition;
  return true;
}

bool BHistory::Redo() {
  if (!CanRedo()) return false;
  fSteps[static_cast<std::size_t>(fPosition)]->RedoIt();
  ++fPosition;
  return true;
}

std::vector<int> BHistory::UndoLabels() const {
  std::vector<int> labels;
  for (int i = 0; i < fPosition; ++i) labels.push_back(fSteps[static_cast<std::size_t>(i)]->GetChangeID());
  return labels;
}

std::vector<int> BHistory::RedoLabels() const {
  std::vector<int> labels;
  for (std::size_t i = static_cast<std::size_t>(fPosition); i < fSteps.size(); ++i) {
    labels.push_back(fSteps[i]->GetChangeID());
  }
  return labels;
}
