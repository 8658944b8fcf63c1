#pragma once
// Runs a child process as another, unprivileged user (uid and gid 65534, no account needed), for the
// cases that depend on file ownership and modes, which root would pass through.
#include <QProcess>
#include <QString>
#include <QStringList>

constexpr unsigned kOtherUser = 65534;

// Empty when children can be started as the other user; otherwise why not (the test then skips).
QString other_user_unavailable();
// Starts program as the other user.
void start_as_other_user(QProcess& process, const QString& program, const QStringList& arguments);
// Gives a file or folder (not following a link) to the other user.
void give_to_other_user(const QString& path);
