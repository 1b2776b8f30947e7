#include "shell/RecDocTemplate.h"

#include "project/RecDoc.h"

std::unique_ptr<CProjectDocTemplate> CreateRecDocTemplate()
{
    return std::make_unique<CProjectDocTemplate>([] { return std::make_unique<CRecDoc>(); });
}
