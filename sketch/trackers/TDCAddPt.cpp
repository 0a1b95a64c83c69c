// Placeholder until the tracker is written: it does nothing.
#include "trackers/TDCAddPt.h"

IMPLEMENT_DYNAMIC(TDCAddPt, TDCBase)

TDCAddPt::~TDCAddPt() = default;
void TDCAddPt::DoIt() {}
void TDCAddPt::RedoIt() {}
void TDCAddPt::UndoIt() {}
BTracker* TDCAddPt::TrackMouse(int, OsImgPoint&, OsImgPoint&, OsImgPoint&, int) { return this; }
void TDCAddPt::IDCAddPt(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*) {}

