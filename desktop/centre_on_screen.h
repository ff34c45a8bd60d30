// Places a top-level window in the middle of the primary screen's available area.
#pragma once

class QWidget;

namespace zentarix {

void CentreOnScreen(QWidget& window);

}  // namespace zentarix
