#include "framework/ui/Cursors.h"

HCURSOR CursorHandle(TCursor cursor) {
    const char* id = IDC_ARROW;
    switch (cursor) {
    case crNone:
        return nullptr;
    case crCross:
        id = IDC_CROSS;
        break;
    case crIBeam:
        id = IDC_IBEAM;
        break;
    case crSizeNESW:
        id = IDC_SIZENESW;
        break;
    case crSizeNS:
        id = IDC_SIZENS;
        break;
    case crSizeNWSE:
        id = IDC_SIZENWSE;
        break;
    case crSizeWE:
        id = IDC_SIZEWE;
        break;
    case crUpArrow:
        id = IDC_UPARROW;
        break;
    case crHourGlass:
        id = IDC_WAIT;
        break;
    case crNoDrop:
    case crNo:
        id = IDC_NO;
        break;
    case crAppStart:
        id = IDC_APPSTARTING;
        break;
    case crHandPoint:
        id = IDC_HAND;
        break;
    case crSizeAll:
        id = IDC_SIZEALL;
        break;
    default: // crDefault, crArrow, crDrag (no stock drag cursor: the arrow)
        break;
    }
    return LoadCursorA(nullptr, id);
}
