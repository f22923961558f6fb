// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

// Test audio as multimon-ng reads it raw: 16-bit signed mono samples at
// 22050 Hz, native byte order; bits at 1200 baud.
constexpr int AudioRate = 22050;
constexpr int Baud = 1200;

QByteArray silence(double seconds);

// The lowest `count` bits of `value`, lowest or highest first.
void appendBits(QList<bool>& bits, quint32 value, int count, bool lowestFirst);

// Phase-continuous tones, one per bit (FMS: 1200 Hz for 1, 1800 Hz for 0).
QByteArray toneAudio(const QList<bool>& bits, int oneHz, int zeroHz);

// What a receiver's discriminator gives for two-level FSK (POCSAG): one
// level per bit, the lower frequency, a 1, below zero.
QByteArray levelAudio(const QList<bool>& bits);
