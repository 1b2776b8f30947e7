#pragma once
// The application's document template: the project document, shown by the main view of the
// project window.
#include "project/ProjectDocTemplate.h"

#include <memory>

std::unique_ptr<CProjectDocTemplate> CreateRecDocTemplate();
