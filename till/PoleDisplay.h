#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSerialPort;

namespace till {

// The customer pole display on a serial port (2400 baud, 8 data bits, no parity, one stop bit).
// The till only writes to it. Every send is skipped while the port is closed, so the till works
// on without a display.
class PoleDisplay : public QObject {
    Q_OBJECT
public:
    explicit PoleDisplay(QObject* parent = nullptr);
    ~PoleDisplay() override;

    // Port number n of the terminal settings: COMn on Windows, /dev/ttyS(n-1) elsewhere.
    static QString portName(int n);

    // Opens the port of the terminal settings when the display is switched on (gx) and a port
    // (gxdk) is set; a failure shows "连接顾客显示器失败！" and leaves the port closed.
    bool OpenGxdk();
    // Opens a port by name or device path (e.g. a pseudo-terminal), without any message.
    bool openPort(const QString& name);

    // Clear, the value with two decimals, then the indicator light `code`.
    void ShowGx(QChar code, double value);
    // ESC @: back to the display's start state.
    void Reset();
    // Clears the display and closes the port.
    void CloseGx();
    bool isOpen() const;

    // The byte strings, in the order ShowGx writes them.
    static QByteArray clearBytes();
    static QByteArray valueBytes(double value);
    static QByteArray lightBytes(QChar code);
    static QByteArray resetBytes();

private:
    void send(const QByteArray& bytes);

    QSerialPort* port_;
};

} // namespace till
