#include "BView.h"

IMPLEMENT_DYNAMIC(BView, CObject)
