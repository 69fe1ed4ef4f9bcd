// The element records of the instrument's face: the background image element
// at the top, its list of three text elements and the failure list they
// share. Static data of the module.
#pragma once

#include "interface/element_records.h"

// The records of the face (static data of the module).
extern ImageElement BackgroundElement;
extern TextElement Line1Element;
extern TextElement Line2Element;
extern TextElement Line3Element;
extern void* LineElementList[4];
extern FailureList ElementFailureList;
