// Placeholder until the tracker is written: it does nothing.
#include "trackers/TDCDelPt.h"

IMPLEMENT_DYNAMIC(TDCDelPt, TDCBase)

TDCDelPt::~TDCDelPt() = default;
void TDCDelPt::DoIt() {}
void TDCDelPt::RedoIt() {}
void TDCDelPt::UndoIt() {}
BTracker* TDCDelPt::TrackMouse(int, OsImgPoint&, OsImgPoint&, OsImgPoint&, int) { return this; }
void TDCDelPt::IDCDelPt(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*) {}

