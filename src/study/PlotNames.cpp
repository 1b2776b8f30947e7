#include "study/PlotNames.h"

#include <cstring>

namespace {

bool EndsWith(const CString& name, const char* suffix)
{
    const int n = int(std::strlen(suffix));
    return name.GetLength() >= n && name.Right(n) == suffix;
}

} // namespace

CString XAxisName(int index)
{
    CString name;
    name.Format("XAxis%d", index);
    return name;
}

CString YAxisName(int index)
{
    CString name;
    name.Format("YAxis%d", index);
    return name;
}

CString StripTcSuffix(const CString& name)
{
    return EndsWith(name, kTrendChannelSuffix) ? name.Left(name.GetLength() - 3) : name;
}

CString StripChannelSuffix(const CString& name)
{
    return EndsWith(name, kLimitChannelSuffix) ? name.Left(name.GetLength() - 3) : StripTcSuffix(name);
}
