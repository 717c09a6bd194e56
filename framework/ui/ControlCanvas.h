// TControlCanvas: the canvas of a windowed control that paints itself.
//
// Outside a paint the canvas draws on a DC of the control's window (GetDC),
// fetched afresh on each request; inside WM_PAINT it draws on the paint DC.
#pragma once

#include <functional>
#include <memory>

#include "framework/win32/Handles.h"

class TCanvas;
class TWinControl;

class TControlCanvas {
public:
    // control is not owned and must outlive this object (it is its owner).
    explicit TControlCanvas(TWinControl& control);
    ~TControlCanvas();
    TControlCanvas(const TControlCanvas&) = delete;
    TControlCanvas& operator=(const TControlCanvas&) = delete;

    // Inside Paint: the canvas on the paint DC, as it is. Outside: the canvas
    // on a new DC of the window (created if needed), with the control's font
    // and colour; the previous window DC is handed back first.
    TCanvas* Canvas();

    // Detaches the canvas and hands the window DC back, while the window
    // still exists (a DC of a window already gone is only forgotten).
    void ReleaseWindowDc();

    // BeginPaint, the canvas on the paint DC with the control's font and
    // colour, paintWork(paint DC), EndPaint (also when paintWork throws).
    void Paint(const std::function<void(HDC)>& paintWork);

private:
    void TakeControlLook();

    TWinControl& control_;
    std::unique_ptr<TCanvas> canvas_;
    WindowDc windowDc_; // from GetDC while no paint runs
    bool painting_ = false;
};
