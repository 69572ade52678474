#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTcpServer>

class QTcpSocket;

// A minimal HTTP/1.1 server on 127.0.0.1 for tests. It answers GET requests from
// a table of paths on the thread that created it, so the code under test must
// run an event loop while it waits (as the program's HTTP client does). Every
// answer closes the connection.
class TinyHttpServer : public QObject {
    Q_OBJECT
public:
    struct Response {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers; // extra header lines
        // The body goes out in this many pieces, one every pieceIntervalMsecs
        // (the first with the head), then the connection is closed.
        int pieces = 1;
        int pieceIntervalMsecs = 0;
        // After this many bytes of the body the server falls silent for good
        // (-1: it sends the whole body).
        qsizetype silentAfter = -1;
        // Without Content-Length the body ends where the connection does.
        bool sendLength = true;
    };

    explicit TinyHttpServer(QObject* parent = nullptr);
    ~TinyHttpServer() override;

    // Listens on 127.0.0.1 at the given port (0: any free one).
    bool start(quint16 port = 0);
    void stop();
    quint16 port() const;
    // "http://127.0.0.1:PORT"
    QString baseUrl() const;

    // The answer for a path (query included, as sent). Unknown paths get 404.
    void setResponse(const QByteArray& path, const Response& response);
    void setResponse(const QByteArray& path, int status, const QByteArray& body);
    // Accept connections but never answer.
    void setSilent(bool silent);

    // The request heads received so far (request line and header lines).
    QList<QByteArray> requests() const;
    // A header of the last request, matched without regard to case; empty if absent.
    QByteArray lastRequestHeader(const QByteArray& name) const;

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QByteArray& head);
    void sendInPieces(QTcpSocket* socket, const QByteArray& body, const Response& response);

    QTcpServer m_server;
    QHash<QByteArray, Response> m_responses;
    QHash<QTcpSocket*, QByteArray> m_pending;
    QList<QByteArray> m_requests;
    bool m_silent = false;
};
