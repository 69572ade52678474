#include "wheels/ReadyWheels.h"

#include "wheels/EmbeddedData.h"

#include <QList>

namespace Wheels {

namespace {

// One symbol per point 0..48, so that a block is six characters.
constexpr char kSymbols[] = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";

int pointOfSymbol(char c) {
    for (int i = 0; kSymbols[i]; ++i)
        if (kSymbols[i] == c)
            return i;
    return -1;
}

} // namespace

QByteArray formatReadyWheel(const ReadyWheel& wheel) {
    QByteArray line = QByteArray::number(wheel.v) + ' ' + QByteArray::number(wheel.t) + ' ' +
                      QByteArray::number(wheel.m) + '|';
    for (std::size_t i = 0; i < wheel.blocks.size(); ++i) {
        if (i)
            line += ' ';
        for (Mask b = wheel.blocks[i]; b; b &= b - 1)
            line += kSymbols[lowestBit(b)];
    }
    QByteArray origin = wheel.origin;
    origin.replace('|', '/').replace('\n', ' ');
    return line + '|' + origin;
}

std::vector<ReadyWheel> parseReadyWheels(const QByteArray& text) {
    std::vector<ReadyWheel> wheels;
    for (const QByteArray& line : text.split('\n')) {
        const qsizetype bar = line.indexOf('|');
        if (line.startsWith('#') || bar < 0)
            continue;
        const QList<QByteArray> head = line.left(bar).split(' ');
        if (head.size() != 3)
            continue;
        ReadyWheel wheel{head[0].toInt(), head[1].toInt(), head[2].toInt(), {}, {}};
        bool valid = wheel.v >= 1 && wheel.v <= kMaxPoints;
        QByteArray body = line.mid(bar + 1);
        const qsizetype originBar = body.indexOf('|');
        if (originBar >= 0) {
            wheel.origin = body.mid(originBar + 1).trimmed();
            body.truncate(originBar);
        }
        for (const QByteArray& block : body.split(' ')) {
            Mask mask = 0;
            for (char c : block) {
                const int p = pointOfSymbol(c);
                valid &= p >= 0 && p < wheel.v;
                if (p >= 0)
                    mask |= Mask(1) << p;
            }
            valid &= popcount(mask) == kReadyBlockSize;
            wheel.blocks.push_back(mask);
        }
        if (valid)
            wheels.push_back(std::move(wheel));
    }
    return wheels;
}

const std::vector<ReadyWheel>& readyWheels() {
    static const std::vector<ReadyWheel> wheels = parseReadyWheels(embeddedReadyWheels());
    return wheels;
}

const ReadyWheel* findReadyWheel(int v, int t, int m) {
    for (const ReadyWheel& wheel : readyWheels())
        if (wheel.v == v && wheel.t == t && wheel.m == m)
            return &wheel;
    return nullptr;
}

} // namespace Wheels
