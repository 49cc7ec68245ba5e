#pragma once
// Loopback sockets for the catalogue tests: a port where nothing listens, and a tiny HTTP server
// that answers every request in one fixed way and keeps the request lines it saw.

#include <QByteArray>
#include <QByteArrayList>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace testing {

inline int listeningSocket(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::listen(fd, 16);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    return fd;
}

// A loopback port that was free a moment ago and has no listener now.
inline int closedPort() {
    int port = 0;
    ::close(listeningSocket(port));
    return port;
}

class TinyHttpServer {
public:
    enum class Mode { Answer, NeverAnswer, CutShort };

    TinyHttpServer(Mode mode, QByteArray statusLine = "200 OK", QByteArray body = {})
        : m_mode(mode), m_status(std::move(statusLine)), m_body(std::move(body)) {
        m_fd = listeningSocket(m_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~TinyHttpServer() {
        m_stop = true;
        m_thread.join();
        for (int fd : m_held)
            ::close(fd);
        ::close(m_fd);
    }
    QByteArray address() const { return "http://127.0.0.1:" + QByteArray::number(m_port); }
    QByteArrayList requestLines() const {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    void serve() {
        while (!m_stop) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            const int client = ::accept(m_fd, nullptr, nullptr);
            if (client < 0)
                continue;
            if (m_mode == Mode::NeverAnswer) {
                m_held.push_back(client); // accepted, never read, never answered
                continue;
            }
            const QByteArray request = readHead(client);
            {
                std::lock_guard lock(m_mutex);
                m_requests << request.left(request.indexOf("\r\n"));
            }
            QByteArray reply = "HTTP/1.1 " + m_status + "\r\nContent-Type: application/octet-stream\r\n";
            if (m_mode == Mode::CutShort) // promises more than it sends, then hangs up
                reply += "Content-Length: " + QByteArray::number(m_body.size() + 100) + "\r\n\r\n" + m_body;
            else
                reply +=
                    "Content-Length: " + QByteArray::number(m_body.size()) + "\r\nConnection: close\r\n\r\n" + m_body;
            ::send(client, reply.constData(), size_t(reply.size()), MSG_NOSIGNAL);
            ::close(client);
        }
    }
    static QByteArray readHead(int fd) {
        QByteArray data;
        char buf[1024];
        while (!data.contains("\r\n\r\n")) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 2000) <= 0)
                break;
            const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
            if (n <= 0)
                break;
            data.append(buf, n);
        }
        return data;
    }

    Mode m_mode;
    QByteArray m_status, m_body;
    int m_fd = -1;
    int m_port = 0;
    std::vector<int> m_held;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    QByteArrayList m_requests;
    std::thread m_thread;
};

} // namespace testing
