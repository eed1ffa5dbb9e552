// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One running program per working folder, and files reach it. The program that holds the
// folder's lock listens on a local socket in the folder; a second start on the same folder
// finds the lock taken, hands its command line over the socket and ends: a data file named
// on it opens in the running program's plot, and without one the running panel comes to
// the front. The lock decides who owns the folder; the socket only carries the request.
//
// The request is one line of UTF-8: "open<TAB>/absolute/path.lms" or "raise"; the running
// program answers "ok" as soon as it has taken the request, before it does the work (the
// work may ask a question that waits for the user).

#include <QString>
#include <string>

namespace orvane {

class PanelWindow;

// The socket's path in the working folder.
QString HandOverSocketPath(const std::string& folder);

// The request line for a command line that names `file` (empty: none). A relative path is
// made absolute here, since the running program has a working directory of its own.
QByteArray HandOverRequest(const QString& file);

// Hands the request to the program that owns `folder`. True once it answered "ok" within
// `waitMs`; false when nothing listens or it did not answer (then nothing was done).
bool HandOverToRunningProgram(const std::string& folder, const QString& file, int waitMs);

// Listens on the folder's socket for the life of `panel`. Call only while this process
// holds the folder's lock: a socket left behind by a program that ended is taken over.
// False (and nothing listens) when the socket cannot be made.
bool ListenForSecondStarts(PanelWindow& panel, const std::string& folder);

}  // namespace orvane
