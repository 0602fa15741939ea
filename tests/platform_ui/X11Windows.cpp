#include "tests/platform_ui/X11Windows.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <xcb/xcb.h>

namespace tavlo::test::x11 {
namespace {

constexpr int kToolMs = 20000;

// A reply of the X server, freed as xcb asks.
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

// A connection of its own to the display in DISPLAY, as another client
// (a window manager) has.
class Connection {
public:
    Connection() : connection_(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(connection_)) {
            xcb_disconnect(connection_);
            throw std::runtime_error("cannot connect to the X display");
        }
    }
    ~Connection() { xcb_disconnect(connection_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    xcb_connection_t* get() const { return connection_; }

    xcb_window_t root() const { return xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root; }

    xcb_atom_t atom(const char* name) const
    {
        const auto reply = owned(xcb_intern_atom_reply(
            connection_,
            xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr));
        if (!reply)
            throw std::runtime_error(std::string("the X server gave no atom ") + name);
        return reply->atom;
    }

private:
    xcb_connection_t* connection_;
};

QString propertyLine(const QString& output, const QString& name)
{
    const QRegularExpression line(u'^' + QRegularExpression::escape(name)
                                      + QStringLiteral(" = \"(.*)\"$"),
                                  QRegularExpression::MultilineOption);
    const auto match = line.match(output);
    return match.hasMatch() ? match.captured(1) : QStringLiteral("(none)");
}

}  // namespace

Title titleOf(quint32 window)
{
    QProcess xprop;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    xprop.setProcessEnvironment(environment);
    xprop.start(QStringLiteral("xprop"), {"-id", QStringLiteral("0x%1").arg(window, 0, 16),
                                          "-notype", "_NET_WM_NAME", "WM_NAME"});
    if (!xprop.waitForFinished(kToolMs) || xprop.exitStatus() != QProcess::NormalExit
        || xprop.exitCode() != 0)
        throw std::runtime_error("xprop failed: " + xprop.readAllStandardError().toStdString());
    const QString output = QString::fromUtf8(xprop.readAllStandardOutput());
    return {propertyLine(output, QStringLiteral("_NET_WM_NAME")),
            propertyLine(output, QStringLiteral("WM_NAME"))};
}

QList<quint32> viewableWindowsOf(qint64 processId)
{
    const Connection x;
    const xcb_atom_t pidAtom = x.atom("_NET_WM_PID");
    const auto tree = owned(xcb_query_tree_reply(x.get(), xcb_query_tree(x.get(), x.root()), nullptr));
    if (!tree)
        throw std::runtime_error("the X server gave no window tree");
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());

    QList<quint32> windows;
    for (int i = 0; i < count; ++i) {
        const xcb_window_t child = children[i];
        const auto attributes = owned(xcb_get_window_attributes_reply(
            x.get(), xcb_get_window_attributes(x.get(), child), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        const auto pid = owned(xcb_get_property_reply(
            x.get(), xcb_get_property(x.get(), 0, child, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr));
        if (!pid || pid->format != 32 || xcb_get_property_value_length(pid.get()) != 4)
            continue;
        if (*static_cast<const uint32_t*>(xcb_get_property_value(pid.get())) == processId)
            windows << child;
    }
    return windows;
}

void requestClose(quint32 window)
{
    const Connection x;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = x.atom("WM_PROTOCOLS");
    event.data.data32[0] = x.atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(x.get(), 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    // The reply of a later request comes only after the server has handled
    // the send.
    const auto focus =
        owned(xcb_get_input_focus_reply(x.get(), xcb_get_input_focus(x.get()), nullptr));
    if (!focus)
        throw std::runtime_error("the X server did not answer after the close request");
}

}  // namespace tavlo::test::x11
