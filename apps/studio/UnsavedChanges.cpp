#include "UnsavedChanges.h"

#include <algorithm>

#include "Host.h"

UnsavedChanges::History UnsavedChanges::Look(const HostDocument& doc) {
  History now;
  for (int i = 0; i < doc.history.StepCount(); ++i) now.steps.push_back(doc.history.Step(i));
  now.position = doc.history.Position();
  return now;
}

void UnsavedChanges::Follow(const Host& host) {
  std::map<const HostDocument*, History> followed;
  for (const auto& doc : host.Documents()) {
    History now = Look(*doc);
    const auto known = fDocuments.find(doc.get());
    if (known == fDocuments.end()) {
      // Opened since: its opening state is the one to come back to.
      now.saved = 0;
      now.reachable = true;
    } else {
      const History& before = known->second;
      // The oldest steps dropped at the history's limit: the first step now
      // was further along before.
      std::size_t dropped = 0;
      if (!now.steps.empty()) {
        const auto first = std::find(before.steps.begin(), before.steps.end(), now.steps.front());
        if (first != before.steps.end()) dropped = static_cast<std::size_t>(first - before.steps.begin());
      }
      const auto from = before.steps.begin() + static_cast<std::ptrdiff_t>(dropped);
      const auto kept = std::mismatch(from, before.steps.end(), now.steps.begin(), now.steps.end()).first - from;
      const int saved = before.saved - static_cast<int>(dropped);
      now.saved = saved;
      now.reachable = before.reachable && saved >= 0 && saved <= static_cast<int>(kept);
    }
    followed.emplace(doc.get(), std::move(now));
  }
  // Documents closed since are forgotten: a new one may come at the address.
  fDocuments = std::move(followed);
}

void UnsavedChanges::Saved(const Host& host) {
  fDocuments.clear();
  for (const auto& doc : host.Documents()) {
    History now = Look(*doc);
    now.saved = now.position;
    fDocuments.emplace(doc.get(), std::move(now));
  }
}

void UnsavedChanges::Unsaved(const Host& host) {
  Saved(host);
  // A document with no step in its history has nothing to lose.
  for (auto& [doc, history] : fDocuments) history.reachable = history.steps.empty();
}

bool UnsavedChanges::Changed(const HostDocument& doc) const {
  // Every document is followed once the event that opened it is over.
  const auto known = fDocuments.find(&doc);
  return known != fDocuments.end() && (!known->second.reachable || known->second.saved != known->second.position);
}

bool UnsavedChanges::AnyChanged() const {
  for (const auto& [doc, history] : fDocuments) {
    if (!history.reachable || history.saved != history.position) return true;
  }
  return false;
}
