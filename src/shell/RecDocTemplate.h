#pragma once
// The application's document template: the project document, shown by the session page until
// the main view with its studies takes that place.
#include "project/ProjectDocTemplate.h"

#include <memory>

std::unique_ptr<CProjectDocTemplate> CreateRecDocTemplate();
