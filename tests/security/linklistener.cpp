#include "linklistener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace folivex::test {

LinkListener::LinkListener(std::string body) : body_(std::move(body))
{
    socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(socket_, 64) != 0 || ::getsockname(socket_, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LinkListener::~LinkListener()
{
    stop_ = true;
    thread_.join();
    ::close(socket_);
    delete last_.load();
}

std::string LinkListener::lastRequest() const
{
    std::string *last = last_.load();
    return last ? *last : std::string();
}

void LinkListener::serve()
{
    while (!stop_) {
        pollfd p{socket_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const int client = ::accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        ++requests_;
        char request[4096];
        pollfd c{client, POLLIN, 0};
        ssize_t got = ::poll(&c, 1, 2000) > 0 ? ::recv(client, request, sizeof request - 1, 0) : 0;
        std::string line(request, size_t(std::max<ssize_t>(got, 0)));
        line = line.substr(0, line.find('\r'));
        delete last_.exchange(new std::string(line));
        const std::string answer =
            "HTTP/1.0 200 OK\r\nContent-Type: image/png\r\nContent-Length: " + std::to_string(body_.size()) +
            "\r\nConnection: close\r\n\r\n" + body_;
        ssize_t ignored = ::send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
        (void)ignored;
        ::close(client);
    }
}

} // namespace folivex::test
