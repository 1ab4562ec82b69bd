#pragma once

class QWidget;

namespace vm {

class Host;
class QtFormPresenter;

// The views of the host's own windows: the main window (around canvasView,
// which may be nullptr), the splash, About, Copyright and wait windows. The
// message dialogs use the presenter's default view.
void registerHostViews(QtFormPresenter& presenter, Host& host, QWidget* canvasView);

} // namespace vm
