#include "PoleDisplay.h"

#include "Dialogs.h"
#include "Format.h"
#include "Settings.h"

#include <QSerialPort>

namespace till {

PoleDisplay::PoleDisplay(QObject* parent) : QObject(parent), port_(new QSerialPort(this))
{
    setObjectName(QStringLiteral("mscGx"));
}

PoleDisplay::~PoleDisplay()
{
    if (port_->isOpen())
        port_->close();
}

QString PoleDisplay::portName(int n)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(n);
#else
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
#endif
}

bool PoleDisplay::OpenGxdk()
{
    if (port_->isOpen())
        port_->close();
    if (!gl::isOn(gl::readTermSetting(QStringLiteral("gx"))))
        return false;
    const QString gxdk = gl::readTermSetting(QStringLiteral("gxdk"));
    if (gxdk.isEmpty())
        return false;
    int n = 0;
    if (!gl::parseInt(gxdk, &n) || n < 1 || !openPort(portName(n))) {
        gl::MsgWarn(QStringLiteral("连接顾客显示器失败！"));
        return false;
    }
    return true;
}

bool PoleDisplay::openPort(const QString& name)
{
    if (port_->isOpen())
        port_->close();
    port_->setPortName(name);
    if (!port_->open(QIODevice::WriteOnly))
        return false;
    const bool ok = port_->setBaudRate(QSerialPort::Baud2400) && port_->setDataBits(QSerialPort::Data8)
        && port_->setParity(QSerialPort::NoParity) && port_->setStopBits(QSerialPort::OneStop)
        && port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        port_->close();
        return false;
    }
    return true;
}

QByteArray PoleDisplay::clearBytes()
{
    return QByteArray(1, '\x0C');
}

QByteArray PoleDisplay::valueBytes(double value)
{
    return QByteArray("\x1B" "QA") + gl::fmtMoney(value).toLatin1() + '\r';
}

QByteArray PoleDisplay::lightBytes(QChar code)
{
    return QByteArray("\x1B" "s") + code.toLatin1();
}

QByteArray PoleDisplay::resetBytes()
{
    return QByteArray("\x1B" "@");
}

void PoleDisplay::send(const QByteArray& bytes)
{
    if (!port_->isOpen())
        return;
    port_->write(bytes);
    // Hand the bytes to the system now rather than at the next turn of the event loop, so the
    // display follows the cashier even while a modal dialog is open.
    port_->flush();
}

void PoleDisplay::ShowGx(QChar code, double value)
{
    if (!port_->isOpen())
        return;
    send(clearBytes());
    send(valueBytes(value));
    send(lightBytes(code));
}

void PoleDisplay::Reset()
{
    send(resetBytes());
}

void PoleDisplay::CloseGx()
{
    if (!port_->isOpen())
        return;
    send(clearBytes());
    port_->waitForBytesWritten(500);
    port_->close();
}

bool PoleDisplay::isOpen() const
{
    return port_->isOpen();
}

} // namespace till
