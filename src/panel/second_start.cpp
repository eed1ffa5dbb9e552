// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/second_start.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include "common/diagnostics.h"
#include "common/working_folder.h"
#include "panel/open_command_qt.h"
#include "panel/panel_window.h"

namespace orvane {

namespace {

constexpr qint64 kLongestRequest = 64 * 1024;
constexpr int kModalRetryMs = 500;
const QByteArray kOpenWord = "open ";
const QByteArray kRaiseWord = "raise";
const QByteArray kAnswer = "ok\n";

// The panel's window (the panel itself, or the frame it sits in) to the front.
void RaisePanel(PanelWindow& panel) {
  QWidget* top = panel.window();
  if (top->isMinimized()) top->showNormal();
  top->show();
  top->raise();
  top->activateWindow();
}

void OpenHandedFile(PanelWindow& panel, const QString& file) {
  const std::string path = file.toStdString();
  OpenDataFile(panel.Context(), path);
  QWidget* plot = panel.Context().windows.Shown<QWidget>(WindowKind::Plot);
  if (plot == nullptr) {
    LogLine(LogArea::Start, "a second start named " + path + ": no plot is shown");
    return;
  }
  plot->raise();
  plot->activateWindow();
  LogLine(LogArea::Start, "a second start named " + path + ": the plot shows it, " +
                              std::to_string(panel.Context().state.Plot.PlotRecords) + " records");
}

// Does what a second start asked for. While a question or another modal window waits
// for the user, the request waits too and that window comes to the front.
void Carry(QPointer<PanelWindow> panel, const QString& file) {
  if (panel == nullptr) return;
  if (QWidget* modal = QApplication::activeModalWidget()) {
    modal->raise();
    QTimer::singleShot(kModalRetryMs, panel, [panel, file] { Carry(panel, file); });
    return;
  }
  RaisePanel(*panel);
  if (file.isEmpty()) {
    LogLine(LogArea::Start, "a second start raised the panel");
    return;
  }
  OpenHandedFile(*panel, file);
}

// The file a request line names; nothing for "raise"; false for a line it does not know.
bool ReadRequest(QByteArray line, QString& file) {
  if (line.endsWith('\n')) line.chop(1);
  if (line == kRaiseWord) {
    file.clear();
    return true;
  }
  if (!line.startsWith(kOpenWord)) return false;
  file = QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(kOpenWord.size())));
  return !file.isEmpty();
}

class SecondStartServer final : public QLocalServer {
 public:
  explicit SecondStartServer(PanelWindow& panel) : QLocalServer(&panel), panel_(&panel) {
    setObjectName("SecondStarts");
    connect(this, &QLocalServer::newConnection, this, &SecondStartServer::TakeConnections);
  }

 private:
  void TakeConnections() {
    while (QLocalSocket* socket = nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(*socket); });
      if (socket->canReadLine()) Read(*socket);
    }
  }

  void Read(QLocalSocket& socket) {
    if (!socket.canReadLine()) {
      if (socket.bytesAvailable() > kLongestRequest) socket.abort();
      return;
    }
    QString file;
    const bool known = ReadRequest(socket.readLine(kLongestRequest), file);
    if (known) socket.write(kAnswer);
    socket.flush();
    socket.disconnectFromServer();
    if (!known) return;
    // Not inside the socket's signal: opening a file may ask the user a question.
    QPointer<PanelWindow> panel = panel_;
    QTimer::singleShot(0, panel_, [panel, file] { Carry(panel, file); });
  }

  QPointer<PanelWindow> panel_;
};

}  // namespace

QString HandOverSocketPath(const std::string& folder) {
  return QString::fromStdString(InWorkingFolder(folder, kHandOverSocketName));
}

QByteArray HandOverRequest(const QString& file) {
  if (file.isEmpty()) return kRaiseWord + '\n';
  return kOpenWord + QFileInfo(file).absoluteFilePath().toUtf8().toPercentEncoding() + '\n';
}

bool HandOverToRunningProgram(const std::string& folder, const QString& file, int waitMs) {
  const QDeadlineTimer deadline(waitMs);
  QLocalSocket socket;
  socket.connectToServer(HandOverSocketPath(folder));
  if (!socket.waitForConnected(waitMs)) return false;
  socket.write(HandOverRequest(file));
  if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
  while (!socket.canReadLine()) {
    const auto left = deadline.remainingTime();
    if (left <= 0 || !socket.waitForReadyRead(static_cast<int>(left))) return false;
  }
  return socket.readLine() == kAnswer;
}

bool ListenForSecondStarts(PanelWindow& panel, const std::string& folder) {
  auto* server = new SecondStartServer(panel);
  server->setSocketOptions(QLocalServer::UserAccessOption);
  const QString path = HandOverSocketPath(folder);
  // The caller holds the lock: a socket found here was left by a program that ended.
  QLocalServer::removeServer(path);
  if (server->listen(path)) return true;
  LogLine(LogArea::Start,
          "cannot listen on " + path.toStdString() + ": " + server->errorString().toStdString());
  delete server;
  return false;
}

}  // namespace orvane
