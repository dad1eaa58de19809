// The receiver protocol from the receiver's side.

#include "simulator.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

namespace nvxsim {

SimModule::SimModule(const BoardRecord &rec, QObject *parent) : QObject(parent), record(rec) {}
SimModule::~SimModule() = default;

bool SimModule::startReceiver() { return false; }
void SimModule::stopReceiver() {}
bool SimModule::isConnected() const { return false; }
void SimModule::sendText(const QByteArray &) {}
QByteArray SimModule::channelTelegram(int, const QString &, const QString &, std::array<int, 4>) { return {}; }
void SimModule::sendChannelTelegram(int, const QString &, const QString &, std::array<int, 4>) {}
QByteArray SimModule::statusReply() const { return {}; }
QByteArray SimModule::baseIdReply(const QString &) const { return {}; }
void SimModule::handleReceiverData(const QByteArray &, const QHostAddress &, quint16) {}
void SimModule::answerCommand(const QString &) {}
void SimModule::sendToProgram(const QByteArray &) {}

} // namespace nvxsim
