#pragma once
// The graph options bars of the study graphs: one class per study, all made from template 30043.
#include "study/BasicGraphViewDialogBar.h"

class CSummaryGraphViewDialogBar : public CBasicGraphViewDialogBar
{
};

class CDemandGraphViewDialogBar : public CBasicGraphViewDialogBar
{
protected:
    bool HasDemandPeriod() const override { return true; }
};

class CCalendarGraphViewDialogBar : public CBasicGraphViewDialogBar
{
};

class CFundamentalPowerGraphViewDialogBar : public CBasicGraphViewDialogBar
{
};

class CVAHzTHDGraphViewDialogBar : public CBasicGraphViewDialogBar
{
};

class CLoadStudySummaryGraphViewDialogBar : public CBasicGraphViewDialogBar
{
};

class CLoadStudyCalendarGraphViewDialogBar : public CBasicGraphViewDialogBar
{
};

class CLoadStudyVAHzTHDGraphViewDialogBar : public CBasicGraphViewDialogBar
{
};
