#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <functional>

namespace vm {

using WindowHandle = quint64; // 0 is "no window"

struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

namespace window_style {
inline constexpr quint32 Caption = 0xC00000;
inline constexpr quint32 SysMenu = 0x80000;
inline constexpr quint32 MinimizeBox = 0x20000;
inline constexpr quint32 MaximizeBox = 0x10000;
inline constexpr quint32 Overlapped = Caption | SysMenu | MinimizeBox | MaximizeBox | 0x40000;
} // namespace window_style

namespace show_command {
inline constexpr int Hide = 0;
inline constexpr int Normal = 1;
inline constexpr int Minimize = 6;
inline constexpr int Restore = 9;
} // namespace show_command

namespace window_pos {
inline constexpr quint32 NoZOrder = 0x4;
inline constexpr quint32 FrameChanged = 0x20;
inline constexpr quint32 NoOwnerZOrder = 0x200;
} // namespace window_pos

// The on-screen side of a registered window. The registry holds the state;
// a peer (a Qt widget, or nothing in a scripted session) mirrors it.
class WindowPeer {
public:
    virtual ~WindowPeer() = default;
    virtual void applyText(const QString& text) { Q_UNUSED(text); }
    virtual void applyStyle(quint32 style) { Q_UNUSED(style); }
    virtual void applyGeometry(const WindowRect& rect) { Q_UNUSED(rect); }
    virtual void applyShow(int command) { Q_UNUSED(command); }
    virtual void applyForeground() {}
    virtual void applyEnabled(bool enabled) { Q_UNUSED(enabled); }
    virtual void click() {}        // a button was clicked by message
    virtual void closeRequest() {} // the window was asked to close
};

// Top-level windows of other processes on the same desktop, found by title.
class DesktopChannel {
public:
    virtual ~DesktopChannel() = default;
    virtual void publish(const QString& title, std::function<QString(const QString&)> onRequest) = 0;
    virtual void unpublish(const QString& title) = 0;
    // Sends a request to the window published under title; returns its answer,
    // or a null string when no such window answers.
    virtual QString request(const QString& title, const QString& what) = 0;
};

// The windows of this program, with the window-management calls the host
// makes on them: find by class and title, text, close, click, style, position.
// Class names compare case-insensitively, titles exactly.
class WindowRegistry {
public:
    explicit WindowRegistry(DesktopChannel* desktop = nullptr) : desktop_(desktop) {}
    // Published windows answer through handlers that point back here.
    ~WindowRegistry();
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    WindowHandle create(const QString& className, const QString& text, WindowHandle parent = 0,
                        WindowPeer* peer = nullptr);
    void destroy(WindowHandle window);
    void attachPeer(WindowHandle window, WindowPeer* peer);
    bool exists(WindowHandle window) const;

    // Makes a top-level window findable from other processes on the desktop,
    // under its current title (it follows later WM_SETTEXT).
    void publish(WindowHandle window);

    // FindWindow: a top-level window; an empty className matches any class.
    WindowHandle findWindow(const QString& className, const QString& title) const;
    // FindWindowEx: the next child of parent after `after` with that class and,
    // unless caption is null, exactly that text.
    WindowHandle findWindowEx(WindowHandle parent, WindowHandle after, const QString& className,
                              const QString& caption = QString()) const;
    QList<WindowHandle> topLevelWindows() const;
    QList<WindowHandle> children(WindowHandle parent) const;

    QString className(WindowHandle window) const;
    QString text(WindowHandle window) const;
    void setText(WindowHandle window, const QString& text); // WM_SETTEXT
    void sendClose(WindowHandle window);                     // WM_CLOSE
    void sendClick(WindowHandle window);                     // BM_CLICK
    // WM_COPYDATA: hands text to a window of this copy or of another one on the
    // desktop; true only when the window took it.
    bool sendData(WindowHandle window, const QString& data);
    // What the window does with text handed to it: true when it takes it.
    void onData(WindowHandle window, std::function<bool(const QString&)> handler);

    bool isIconic(WindowHandle window) const;
    void showWindow(WindowHandle window, int command);
    void setForeground(WindowHandle window);
    WindowHandle foreground() const { return foreground_; }
    bool isVisible(WindowHandle window) const;
    bool isEnabled(WindowHandle window) const;
    void setEnabled(WindowHandle window, bool enabled);

    quint32 style(WindowHandle window) const;
    void setStyle(WindowHandle window, quint32 style);
    WindowRect rect(WindowHandle window) const;
    void setWindowPos(WindowHandle window, const WindowRect& rect, quint32 flags = 0);

    // Changes the user made on screen, reported by the peer (no echo back).
    void noteGeometry(WindowHandle window, const WindowRect& rect);
    void noteShown(WindowHandle window, int command);

    static bool isRemote(WindowHandle window) { return (window & remoteBit) != 0; }

private:
    struct Record {
        QString className;
        QString text;
        WindowHandle parent = 0;
        WindowPeer* peer = nullptr;
        quint32 style = window_style::Overlapped;
        WindowRect rect;
        bool iconic = false;
        bool visible = false;
        bool enabled = true;
        bool published = false;
        QString publishedTitle; // the title the desktop knows it by
        std::function<bool(const QString&)> dataHandler;
    };
    static constexpr WindowHandle remoteBit = WindowHandle(1) << 62;

    Record* find(WindowHandle window);
    const Record* find(WindowHandle window) const;
    QString answerRemote(WindowHandle window, const QString& what);
    void publishAs(WindowHandle window, Record& record);
    QString remoteTitle(WindowHandle window) const;

    DesktopChannel* desktop_;
    QHash<WindowHandle, Record> records_;
    QList<WindowHandle> order_; // creation order, the order FindWindow walks
    WindowHandle next_ = 1;
    WindowHandle foreground_ = 0;
    mutable QHash<WindowHandle, QString> remoteTitles_;
    mutable WindowHandle nextRemote_ = remoteBit | 1;
};

} // namespace vm
