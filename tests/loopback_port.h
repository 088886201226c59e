#pragma once

// A TCP port of the loopback interface held by the test, for servers that are not there.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <thread>

namespace zorvic_test {

// Taken, so nobody else gets it while the test runs. Deaf: nobody listens, so a connection is
// refused. Answering: connections are accepted and closed at once, as by a service that speaks
// some other protocol.
class LoopbackPort {
public:
    enum Kind { deaf, answering };

    explicit LoopbackPort(Kind kind) : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (socket_ < 0 || bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
            (kind == answering && listen(socket_, 8) != 0)) {
            if (socket_ >= 0) close(socket_);
            throw std::runtime_error("cannot take a port on the loopback interface");
        }
        port_ = ntohs(address.sin_port);
        if (kind == answering)
            acceptor_ = std::thread([this] {
                for (int client; (client = accept(socket_, nullptr, nullptr)) >= 0;) close(client);
            });
    }
    ~LoopbackPort() {
        shutdown(socket_, SHUT_RDWR);  // ends a waiting accept
        if (acceptor_.joinable()) acceptor_.join();
        close(socket_);
    }
    LoopbackPort(const LoopbackPort&) = delete;
    LoopbackPort& operator=(const LoopbackPort&) = delete;

    std::string port() const { return std::to_string(port_); }

private:
    int socket_;
    unsigned short port_ = 0;
    std::thread acceptor_;
};

}  // namespace zorvic_test
