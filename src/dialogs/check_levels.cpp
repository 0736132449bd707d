#include "dialogs/check_levels.h"

#include <cctype>

#include "view/editor.h"
#include "view/inspector.h"
#include "view/selectors.h"
#include "view/title.h"

std::string ProblemLine(const Problem& problem) {
  std::string line = DescribeProblem(problem);
  line[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(line[0])));
  return line;
}

std::vector<Problem> CheckEditorLevels(const Editor& editor) {
  const CatalogueSizes sizes = editor.catalogue.Sizes();
  return CheckLevels(editor.document.Levels(), &sizes);
}

bool ShowProblem(Editor& editor, Host& host, const std::vector<Problem>& problems, int index) {
  if (!IsIndex(index, static_cast<int>(problems.size()))) return false;
  const Problem& problem = problems[index];
  SelectLevel(editor, host, problem.level);
  if (problem.cell >= 0) {
    editor.session.mark = {problem.level, problem.cell, editor.document.Revision()};
    ShowCellInspector(editor, host, problem.cell);
  }
  Repaint(editor, host, kRepaintAll);
  return true;
}
