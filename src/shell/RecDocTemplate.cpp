#include "shell/RecDocTemplate.h"

#include "project/RecDoc.h"

namespace {
// "\n4626\n4626\n4626 Files (*.zlg)\n.zlg\n4626.Document\n4626 Document"
constexpr UINT kDocStringsId = 102;
} // namespace

std::unique_ptr<CProjectDocTemplate> CreateRecDocTemplate()
{
    return std::make_unique<CProjectDocTemplate>([] { return std::make_unique<CRecDoc>(); }, kDocStringsId);
}
