// LinkListener: a web server on 127.0.0.1 for the hostile-document tests. It
// counts the requests it gets and answers each with `body` as a PNG picture,
// so a document that reaches it both shows in the count and, if LibreOffice
// draws what it fetched, in the pages.
#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace folivex::test {

class LinkListener {
public:
    // Listens on a free port of 127.0.0.1 at once; throws std::runtime_error
    // when it cannot.
    explicit LinkListener(std::string body);
    ~LinkListener();

    int port() const { return port_; }
    int requests() const { return requests_; }
    // The first line of the last request, for failure messages.
    std::string lastRequest() const;

private:
    void serve();

    std::string body_;
    int socket_ = -1;
    int port_ = 0;
    std::atomic<int> requests_{0};
    std::atomic<bool> stop_{false};
    mutable std::atomic<std::string *> last_{nullptr};
    std::thread thread_;
};

} // namespace folivex::test
