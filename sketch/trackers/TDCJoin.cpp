// Placeholder until the tracker is written: it does nothing.
#include "trackers/TDCJoin.h"

IMPLEMENT_DYNAMIC(TDCJoin, TDCBase)

TDCJoin::~TDCJoin() = default;
void TDCJoin::DoIt() {}
void TDCJoin::RedoIt() {}
void TDCJoin::UndoIt() {}
BTracker* TDCJoin::TrackMouse(int, OsImgPoint&, OsImgPoint&, OsImgPoint&, int) { return this; }
void TDCJoin::IDCJoin(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*) {}
void TDCJoin::TrackFeedback(int, const OsImgPoint&, const OsImgPoint&, const OsImgPoint&, int, int) {}
