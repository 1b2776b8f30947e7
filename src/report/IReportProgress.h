#pragma once
// How a report run tells the user where it is, and learns that the user cancelled.
#include "platform/framework/CString.h"

class IReportProgress
{
public:
    virtual ~IReportProgress() = default;

    // Range low..high of the bar and its step; shows the progress.
    virtual void Begin(int low, int high, int step) = 0;
    // Shows "Processing: <current item name> (Graph/Table number of count)"; false once cancelled.
    virtual bool Item(int number, int count) = 0;
    // The item now reported and the bar's position; false once cancelled.
    virtual bool Step(const CString& name, int position) = 0;
    // Hides the progress and gives the owner back to the user.
    virtual void End() = 0;
};
