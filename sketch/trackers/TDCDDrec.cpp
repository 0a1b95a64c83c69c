#include "trackers/TDCDDrec.h"
IMPLEMENT_DYNAMIC(TDCDDrec1, TDCDCommand)
IMPLEMENT_DYNAMIC(TDCDDrec2, TDCDCommand)
void TDCDDrec::DoIt() {}
void TDCDDrec::UndoIt() {}
void TDCDDrec::TrackConstrain(int, const OsImgPoint&, const OsImgPoint&, OsImgPoint&, int) {}
void TDCDDrec::TrackFeedback(int, const OsImgPoint&, const OsImgPoint&, const OsImgPoint&, int, int) {}
BTracker* TDCDDrec::TrackMouse(int, OsImgPoint&, OsImgPoint&, OsImgPoint&, int) { return this; }
void TDCDDrec1::IDCDDrec1(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*) {}
void TDCDDrec2::IDCDDrec2(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*) {}
void TDCDDrec1::PlaceHandle(const TDFloatPoint&) {}
void TDCDDrec2::PlaceHandle(const TDFloatPoint&) {}
