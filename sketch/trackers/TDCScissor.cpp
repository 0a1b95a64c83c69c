// Placeholder until the tracker is written: it does nothing.
#include "trackers/TDCScissor.h"

IMPLEMENT_DYNAMIC(TDCScissor, TDCBase)

TDCScissor::~TDCScissor() = default;
void TDCScissor::DoIt() {}
void TDCScissor::RedoIt() {}
void TDCScissor::UndoIt() {}
BTracker* TDCScissor::TrackMouse(int, OsImgPoint&, OsImgPoint&, OsImgPoint&, int) { return this; }
void TDCScissor::IDCScissor(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*) {}

