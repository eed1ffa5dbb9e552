// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace orvane {

namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

// A trailing "|" ends the list; it adds no entry of its own.
QString QtFilter(const std::string& filter) {
  const QStringList parts = Q(filter).split('|');
  QStringList out;
  for (int i = 0; i < parts.size(); i += 2)
    if (!parts[i].isEmpty()) out << parts[i];
  return out.join(";;");
}

// The window the user works in raised the question: the dialog belongs to it (centred
// on it, kept above it), not to the panel. Without an active window, the panel.
QWidget* QtDialogs::Owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  return parent_;
}

DialogAnswer QtDialogs::Message(const std::string& text, MessageIcon icon, MessageButtons buttons,
                                const std::string& title) {
  QMessageBox box(ToQt(icon), Q(title.empty() ? std::string("Orvane") : title), Q(text),
                  QMessageBox::NoButton, Owner());
  switch (buttons) {
    case MessageButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageButtons::OkCancel:
      // OK goes ahead with what cannot be undone (an erase): Enter must not do it.
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Cancel);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
    case MessageButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Ok:
      return DialogAnswer::Ok;
    case QMessageBox::Yes:
      return DialogAnswer::Yes;
    case QMessageBox::No:
      return DialogAnswer::No;
    default:
      return DialogAnswer::Cancel;
  }
}

std::string QtDialogs::Input(const std::string& prompt, const std::string& title,
                             const std::string& defaultText) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(Owner(), Q(title), Q(prompt), QLineEdit::Normal, Q(defaultText), &ok);
  return ok ? text.toStdString() : std::string();
}

std::optional<std::string> QtDialogs::OpenFile(const FileDialogRequest& r) {
  const QString path =
      QFileDialog::getOpenFileName(Owner(), Q(r.title), Q(r.initialPath), QtFilter(r.filter));
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> QtDialogs::SaveFile(const FileDialogRequest& r) {
  QFileDialog dialog(Owner(), Q(r.title), Q(r.initialPath), QtFilter(r.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(Q(r.defaultExtension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

// The desktop's opener gets the path as its one argument: no shell ever sees it, so
// blanks, quotes and ";" in a name are just characters of that name.
bool QtLauncher::OpenInEditor(const std::string& path) {
  const QString file = QString::fromStdString(path);
  if (QProcess::startDetached(QStringLiteral("xdg-open"), {file})) return true;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

}  // namespace orvane
