#pragma once

#include "FakeGameServer.h"

#include <QPair>

// What each game ships with and the texts its console prints, shared by the fake server and the
// pure builders.

using FakeInfoPairs = QList<QPair<QByteArray, QByteArray>>;

QList<FakeCvar> fakeDefaultCvars(FakeGame game);
QByteArray fakePasswordCvarName(FakeGame game);
QHash<QByteArray, QList<QByteArray>> fakeDefaultDirListings(FakeGame game);
QList<QByteArray> fakeDefaultConfigFiles();
int fakeDefaultChunkSize(FakeGame game);

QByteArray fakeBadPasswordText(FakeGame game);
QByteArray fakeEmptyPasswordText(FakeGame game);
QByteArray fakeNoPasswordText(FakeGame game);
QByteArray fakeUnknownCommandText(const QByteArray &name);
QByteArray fakeCvarText(FakeGame game, const FakeCvar &cvar);
QByteArray fakeInfoText(const QByteArray &title, const FakeInfoPairs &pairs);
QByteArray fakeDirText(const QByteArray &path, const QByteArray &extension,
                       const QList<QByteArray> &files);
QByteArray fakeUserinfoText(FakeGame game, const FakePlayer &player);
// Entries are (grace seconds, filter); a removed entry stays in its slot as "*DELETED*".
QList<QPair<QByteArray, QByteArray>> fakeDefaultBadNames();
QByteArray fakePunkBusterBadNameList(const QList<QPair<QByteArray, QByteArray>> &badNames);
QByteArray fakePunkBusterAck(const QByteArray &commandLine);

// Characters a player sees: colour codes (^0 to ^9) take no room.
int fakeVisibleLength(const QByteArray &name);
QByteArray fakeCleanName(const QByteArray &name);
// The console's word splitting: blanks separate, "quoted text" is one word without its quotes.
QList<QByteArray> fakeTokenize(const QByteArray &line);
