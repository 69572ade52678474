#pragma once

// Ticket files of any game, read and written.
//
// Read in any of these forms:
// - CSV after RFC 4180 with the header "ticket,b1,...,bK" (and ",x1,...,xK2"
//   for a second drum; its names may be quoted): each record a ticket label
//   (any text; quoted, it may hold commas, doubled quotes and line breaks) and
//   the numbers, separated by commas (or semicolons), each field perhaps in
//   double quotes; the header of another game is refused as such;
// - the same records without the header, told by their field count on the
//   first line;
// - plain lines of K numbers (then K2 of the second drum) separated by commas,
//   semicolons or blanks, and "+" between the drums;
// - a JSON array of objects with the keys "b1".."bK" and "x1".."xK2" (others,
//   such as "ticket", are left alone), as TicketWriter writes it.
// Blank lines are skipped; a UTF-8 byte order mark is; CRLF and LF line ends
// alike. Every number is a whole number of its drum (1..N, 1..N2), none twice
// in a drum; each drum's numbers are sorted. The input is read in one pass and
// bounded: at most kMaxTicketFileBytes, kMaxTicketLineChars a line (a CSV
// record), kMaxTickets tickets.
//
// Written by TicketWriter, a ticket at a time: CSV (the header above, CRLF
// line ends, tickets numbered from 1) or a JSON list of objects
// {"ticket", "b1", ..., "x1", ...}.

#include "game/Game.h"
#include "game/Ticket.h"

#include <QByteArray>
#include <QString>
#include <vector>

class QIODevice;

namespace Lottery {

constexpr qint64 kMaxTicketFileBytes = 64 * 1024 * 1024;
constexpr int kMaxTicketLineChars = 1000;
constexpr qint64 kMaxTickets = 1000000;

// The message for the user (naming the bad line), empty when every ticket was
// read. Nothing of a file with a bad line is taken.
QString parseTickets(const QByteArray& text, const Game& game, std::vector<Ticket>* tickets);

// "ticket,b1,b2,b3,b4,b5,b6" for 6 из 49; ",x1,..." follow for a second drum.
QByteArray ticketHeader(const Game& game);

// Writes tickets as they come, through a buffer of a few ten kilobytes, so
// that a million tickets never stand in memory as text. Throws AppError when
// the device refuses to take them.
class TicketWriter {
public:
    enum class Format { Csv, Json };
    TicketWriter(QIODevice& output, const Game& game, Format format);
    ~TicketWriter();
    TicketWriter(const TicketWriter&) = delete;
    TicketWriter& operator=(const TicketWriter&) = delete;

    void add(const Ticket& ticket);
    // Writes what closes the list and hands everything to the device; call it
    // once, after the last ticket.
    void finish();
    qint64 count() const { return m_count; }

private:
    void flush();
    QIODevice& m_output;
    const Game m_game;
    const Format m_format;
    QByteArray m_buffer;
    qint64 m_count = 0;
};

// The whole file in memory, for small sets.
QByteArray ticketsText(const std::vector<Ticket>& tickets, const Game& game,
                       TicketWriter::Format format);

} // namespace Lottery
