#pragma once

#include "canvas/ideas/idea_generator.h"

#include <QByteArray>
#include <vector>

namespace vm {

// The page that shows every idea's preview in a grid, each linking its project.
QByteArray ideasIndexPage(const QString& name, const std::vector<ideas::Idea>& ideas);
// The file names of one idea.
QString ideaProjectName(int number);
QString ideaPreviewName(int number);

} // namespace vm
