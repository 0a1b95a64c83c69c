#include "trackers/TDCEAncer.h"
IMPLEMENT_DYNAMIC(TDCEAncer, TDCDCommand)
TDCEAncer::~TDCEAncer() = default;
void TDCEAncer::DoIt() {}
void TDCEAncer::UndoIt() {}
void TDCEAncer::TrackFeedback(int, const OsImgPoint&, const OsImgPoint&, const OsImgPoint&, int, int) {}
BTracker* TDCEAncer::TrackMouse(int, OsImgPoint&, OsImgPoint&, OsImgPoint&, int) { return this; }
void TDCEAncer::IDCEAncer(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*) {}
