#pragma once
// The text and colour conversion now lives in qt/qt_text.h, shared with the
// platform adapters. This header only forwards to it for the two windows that
// still include it by this name (the sound and tip windows); it goes once they
// include qt/qt_text.h themselves.
#include "qt/qt_text.h"
