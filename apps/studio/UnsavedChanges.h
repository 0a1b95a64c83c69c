#pragma once
// Which documents differ from the sketch as last saved (or as opened, while
// the session was never saved). As in GIMP, what counts is the place in the
// document's history: undoing back to the saved step is clean again, and the
// saved step, once the history lost it (a new step after undoing past it, or
// the oldest steps dropped at the history's limit), cannot be reached again
// until the next save. What never enters the history (a tool, a zoom) changes
// nothing.
//
// The history's steps are known only by their addresses, so they are followed
// after every event: between two looks, a step still there is the same step
// (a new one is made before the steps it replaces are destroyed).

#include <map>
#include <vector>

class BCommand;
class Host;
struct HostDocument;

class UnsavedChanges {
 public:
  // Takes in what the events since the last look did to the histories; a
  // document seen for the first time is counted from its opening.
  void Follow(const Host& host);
  // The documents as they are now are what is saved.
  void Saved(const Host& host);
  // The documents as they are now are not saved anywhere (a journal
  // recovered, a sketch read only in part): those with steps in their
  // history have changes until the next save.
  void Unsaved(const Host& host);
  bool Changed(const HostDocument& doc) const;
  bool AnyChanged() const;

 private:
  struct History {
    std::vector<const BCommand*> steps;
    int position = 0;
    // The saved state is after steps[0..saved), while `reachable`.
    int saved = 0;
    bool reachable = true;
  };
  static History Look(const HostDocument& doc);

  std::map<const HostDocument*, History> fDocuments;
};
