#pragma once

#include "LatticePicture.h"

#include <string>
#include <vector>

class QWidget;

namespace quib {

// The view as assistive technology sees it: a canvas named by the summary
// lines it shows, with one child per node drawn, named by its value as drawn
// and placed where its circle is on the screen. Installed once; every view
// of the lattice then answers with it.
void InstallLatticeAccessible();

// What assistive technology was last told of a view's picture, so that each
// repaint tells it what changed and nothing else: the view's name (another
// record, other values shown), a node's name (another value, a highlight
// switched), the nodes drawn (an import shown or gone), their places
// (another scale).
class AccessibleNews {
  public:
    void Update(QWidget* view, const LatticePicture& picture);
    // The keyboard focus moved to the drawn node at `index`, or back to the
    // view as a whole (-1).
    static void TellFocus(QWidget* view, int index);

  private:
    // The view's name, then each node's.
    std::vector<std::string> m_names;
    int m_scale = 0;
};

} // namespace quib
