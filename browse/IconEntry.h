// One shell icon already in the view's image list. Files whose shell icon
// is the same (files of one type, mostly) share one entry and one image, so
// a folder of 500 files of 3 types adds 3 images, not 500.
#pragma once

#include "Object.h"

class CIconEntry : public CObject {
public:
    CIconEntry(int nSystemIcon, int nImage) : m_nSystemIcon(nSystemIcon), m_nImage(nImage) {}

    int m_nSystemIcon; // the icon index the shell reports for the file
    int m_nImage;      // the same icon's index in the view's image list
};
