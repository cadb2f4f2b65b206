#include "components/ui/taskbarentry.h"

#include <xcb/xcb.h>

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr char kSkipTaskbar[] = "zephonicSkipTaskbar";
constexpr uint32_t kStateRemove = 0;
constexpr uint32_t kStateAdd = 1;

xcb_connection_t* Connection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name);
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
      xcb_intern_atom_reply(connection, cookie, nullptr), &free);
  return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::vector<xcb_atom_t> States(xcb_connection_t* connection, xcb_window_t window,
                               xcb_atom_t property) {
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 1024);
  std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
      xcb_get_property_reply(connection, cookie, nullptr), &free);
  if (!reply || reply->format != 32 || reply->type != XCB_ATOM_ATOM) {
    return {};
  }
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  return std::vector<xcb_atom_t>(atoms, atoms + xcb_get_property_value_length(reply.get()) / 4);
}

// Before the window is mapped its state property is its own to write; the toolkit adds its own
// states to what it finds there, and the window manager reads the whole when it maps the window.
void WriteUnmappedState(xcb_connection_t* connection, xcb_window_t window, bool skip) {
  const xcb_atom_t property = Atom(connection, "_NET_WM_STATE");
  const xcb_atom_t skipTaskbar = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
  std::vector<xcb_atom_t> states = States(connection, window, property);
  std::erase(states, skipTaskbar);
  if (skip) {
    states.push_back(skipTaskbar);
  }
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_ATOM, 32,
                      uint32_t(states.size()), states.data());
}

// A mapped window asks the window manager to change its state.
void RequestState(xcb_connection_t* connection, xcb_window_t window, bool skip) {
  xcb_client_message_event_t message = {};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = Atom(connection, "_NET_WM_STATE");
  message.data.data32[0] = skip ? kStateAdd : kStateRemove;
  message.data.data32[1] = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
  message.data.data32[3] = 1;  // a normal application
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  xcb_send_event(connection, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
}

// The window manager drops the state of a window that is hidden; the show event comes before the
// window is mapped again, in time to write it anew. Every window of the program but the main one
// is left off the taskbar, dialogs included.
class TZTaskbarFilter : public QObject {
 public:
  explicit TZTaskbarFilter(QWidget* main) : QObject(qApp), main_(main) {
    qApp->installEventFilter(this);
  }
  void SetMain(QWidget* main) { main_ = main; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
      OnShow(*static_cast<QWidget*>(watched));
    }
    return false;
  }

 private:
  void OnShow(QWidget& window) {
    const Qt::WindowType type = window.windowType();
    if (!window.isWindow() || (type != Qt::Window && type != Qt::Dialog && type != Qt::Tool)) {
      return;
    }
    if (&window != main_ && !window.property(kSkipTaskbar).isValid()) {
      window.setProperty(kSkipTaskbar, true);
    }
    xcb_connection_t* connection = Connection();
    if (connection && window.property(kSkipTaskbar).isValid()) {
      WriteUnmappedState(connection, xcb_window_t(window.winId()), !HasTaskbarEntry(window));
      xcb_flush(connection);
    }
  }

  QPointer<QWidget> main_;
};

TZTaskbarFilter& Filter() {
  static TZTaskbarFilter* filter = new TZTaskbarFilter(nullptr);
  return *filter;
}

}  // namespace

QString ApplicationTitle(const QString& title) {
  return QStringLiteral("Zephonic ") + title;
}

void ListOnTaskbarAlone(QWidget& main) {
  Filter().SetMain(&main);
}

void SetTaskbarEntry(QWidget& window, bool shown) {
  Filter();
  const QVariant skip = window.property(kSkipTaskbar);
  if (skip.isValid() && skip.toBool() == !shown) {
    return;
  }
  window.setProperty(kSkipTaskbar, !shown);
  xcb_connection_t* connection = Connection();
  if (connection && window.isVisible()) {
    RequestState(connection, xcb_window_t(window.winId()), !shown);
    xcb_flush(connection);
  }
}

bool HasTaskbarEntry(const QWidget& window) {
  return !window.property(kSkipTaskbar).toBool();
}
