#include "tests/support/TinyHttpServer.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

namespace {

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

TinyHttpServer::TinyHttpServer(QObject* parent) : QObject(parent) {
    connect(&m_server, &QTcpServer::newConnection, this, &TinyHttpServer::onNewConnection);
}

TinyHttpServer::~TinyHttpServer() {
    // Open connections are closed here, while the bookkeeping they report to
    // still exists.
    const QList<QTcpSocket*> sockets = m_server.findChildren<QTcpSocket*>();
    for (QTcpSocket* socket : sockets) {
        socket->disconnect(this);
        delete socket;
    }
}

bool TinyHttpServer::start(quint16 port) {
    return m_server.listen(QHostAddress::LocalHost, port);
}

void TinyHttpServer::stop() {
    m_server.close();
}

quint16 TinyHttpServer::port() const {
    return m_server.serverPort();
}

QString TinyHttpServer::baseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

void TinyHttpServer::setResponse(const QByteArray& path, const Response& response) {
    m_responses.insert(path, response);
}

void TinyHttpServer::setResponse(const QByteArray& path, int status, const QByteArray& body) {
    Response response;
    response.status = status;
    response.body = body;
    setResponse(path, response);
}

void TinyHttpServer::setSilent(bool silent) {
    m_silent = silent;
}

QList<QByteArray> TinyHttpServer::requests() const {
    return m_requests;
}

QByteArray TinyHttpServer::lastRequestHeader(const QByteArray& name) const {
    if (m_requests.isEmpty())
        return QByteArray();
    const QByteArray wanted = name.toLower() + ':';
    for (const QByteArray& line : m_requests.last().split('\n')) {
        if (line.toLower().startsWith(wanted))
            return line.mid(wanted.size()).trimmed();
    }
    return QByteArray();
}

void TinyHttpServer::onNewConnection() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            socket->deleteLater();
        });
    }
}

void TinyHttpServer::onReadyRead(QTcpSocket* socket) {
    QByteArray& buffer = m_pending[socket];
    buffer += socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QByteArray head = buffer.left(end);
    buffer.clear();
    m_requests.append(head);
    if (!m_silent)
        answer(socket, head);
}

void TinyHttpServer::answer(QTcpSocket* socket, const QByteArray& head) {
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    const QByteArray path = requestLine.value(1);
    Response response;
    const auto found = m_responses.constFind(path);
    if (found != m_responses.constEnd()) {
        response = *found;
    } else {
        response.status = 404;
        response.body = "<html><body>Not found</body></html>";
    }

    QByteArray out = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' +
                     reasonPhrase(response.status) + "\r\n";
    if (response.sendLength)
        out += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    out += "Connection: close\r\n";
    for (const auto& header : response.headers)
        out += header.first + ": " + header.second + "\r\n";
    out += "\r\n";
    socket->write(out);
    const QByteArray body =
        response.silentAfter < 0 ? response.body : response.body.left(response.silentAfter);
    if (response.pieces <= 1) {
        socket->write(body);
        if (response.silentAfter < 0)
            socket->disconnectFromHost();
        return;
    }
    sendInPieces(socket, body, response);
}

void TinyHttpServer::sendInPieces(QTcpSocket* socket, const QByteArray& body,
                                  const Response& response) {
    const qsizetype pieceSize = (response.body.size() + response.pieces - 1) / response.pieces;
    const bool close = response.silentAfter < 0;
    auto* timer = new QTimer(socket); // goes with the connection
    auto sent = std::make_shared<qsizetype>(0);
    const auto sendNext = [socket, body, pieceSize, close, timer, sent] {
        const QByteArray piece = body.mid(*sent, pieceSize);
        *sent += piece.size();
        socket->write(piece);
        if (*sent >= body.size()) {
            timer->stop();
            if (close)
                socket->disconnectFromHost();
        }
    };
    connect(timer, &QTimer::timeout, socket, sendNext);
    sendNext();
    if (*sent < body.size())
        timer->start(response.pieceIntervalMsecs);
}
