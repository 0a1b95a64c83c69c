#include "trackers/TDCEDrec.h"
#include "model/TDUnit.h"
IMPLEMENT_DYNAMIC(TDCEDrec1, TDCDCommand)
IMPLEMENT_DYNAMIC(TDCEDrec2, TDCDCommand)
TDCEDrec::~TDCEDrec() = default;
void TDCEDrec::DoIt() {}
void TDCEDrec::UndoIt() {}
void TDCEDrec::TrackFeedback(int, const OsImgPoint&, const OsImgPoint&, const OsImgPoint&, int, int) {}
BTracker* TDCEDrec::TrackMouse(int, OsImgPoint&, OsImgPoint&, OsImgPoint&, int) { return this; }
void TDCEDrec1::IDCEDrec1(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*) {}
void TDCEDrec2::IDCEDrec2(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*) {}
TDFloatPoint& TDCEDrec1::Handle() { return fUnit->fDirection1; }
TDFloatPoint& TDCEDrec2::Handle() { return fUnit->fDirection2; }
