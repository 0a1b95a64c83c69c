#include "trackers/TDCDAncer.h"
IMPLEMENT_DYNAMIC(TDCDAncer, TDCDCommand)
TDCDAncer::~TDCDAncer() = default;
void TDCDAncer::DoIt() {}
void TDCDAncer::UndoIt() {}
void TDCDAncer::TrackConstrain(int, const OsImgPoint&, const OsImgPoint&, OsImgPoint&, int) {}
void TDCDAncer::TrackFeedback(int, const OsImgPoint&, const OsImgPoint&, const OsImgPoint&, int, int) {}
BTracker* TDCDAncer::TrackMouse(int, OsImgPoint&, OsImgPoint&, OsImgPoint&, int) { return this; }
void TDCDAncer::IDCDAncer(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*) {}
