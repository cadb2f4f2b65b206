#include "components/sound/http.h"

#include <curl/curl.h>
#include <signal.h>
#include <strings.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMaxHeadBytes = 16384;
constexpr long kMaxRedirects = 3;

// Before the first handle; libcurl's global set-up is not reentrant. Transfers run with
// CURLOPT_NOSIGNAL on reading threads, so a server that closes a TLS connection midway must not
// end the program with SIGPIPE.
void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    signal(SIGPIPE, SIG_IGN);
    curl_global_init(CURL_GLOBAL_DEFAULT);
  });
}

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::clamp<int64_t>(left.count(), 0, 1 << 30));
}

ZSoundError ErrorFor(CURLcode code) {
  switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
      return ZSoundError::Timeout;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
      return ZSoundError::Certificate;
    default:
      return ZSoundError::Network;
  }
}

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

struct EasyFree {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiFree {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListFree {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

struct UrlFree {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
struct TextFree {
  void operator()(char* text) const { curl_free(text); }
};

using ListPtr = std::unique_ptr<curl_slist, ListFree>;

// Whether the text is a well-formed http:// or https:// address.
bool IsWebAddress(const std::string& text) {
  std::unique_ptr<CURLU, UrlFree> url(curl_url());
  char* raw = nullptr;
  if (!url || curl_url_set(url.get(), CURLUPART_URL, text.c_str(), 0) != CURLUE_OK ||
      curl_url_get(url.get(), CURLUPART_SCHEME, &raw, 0) != CURLUE_OK) {
    return false;
  }
  const std::unique_ptr<char, TextFree> scheme(raw);
  return strcasecmp(scheme.get(), "http") == 0 || strcasecmp(scheme.get(), "https") == 0;
}

ListPtr Append(ListPtr list, const char* text) {
  curl_slist* longer = curl_slist_append(list.get(), text);
  if (longer) {
    list.release();
    list.reset(longer);
  }
  return list;
}

}  // namespace

// One libcurl transfer driven by the thread that reads it: the callbacks fill the head and a
// buffer of body bytes, and each wait polls the transfer's sockets together with the cancel
// descriptor.
class HttpConnection::Transfer {
 public:
  Transfer(const HttpRequest& request, const NetTimeouts& timeouts, int cancelFd);
  ~Transfer();
  Transfer(const Transfer&) = delete;
  Transfer& operator=(const Transfer&) = delete;

  bool AwaitHead(ZSoundError* error);
  ssize_t Receive(uint8_t* buffer, size_t size, int ms);
  void Shutdown();

  IcyResponse response;
  std::string url;

 private:
  static size_t OnHeader(char* data, size_t size, size_t count, void* self);
  static size_t OnBody(char* data, size_t size, size_t count, void* self);
  static int OnConnected(void* self, char*, char*, int, int);
  bool HeadLine(std::string line);

  template <typename Ready, typename Deadline>
  bool Drive(Ready ready, Deadline deadline);
  void Perform();
  bool HasBody() const { return bodyAt_ < body_.size(); }

  const NetTimeouts timeouts_;
  const int cancelFd_;
  std::unique_ptr<CURL, EasyFree> easy_;
  std::unique_ptr<CURLM, MultiFree> multi_;
  ListPtr headers_;
  ListPtr aliases_;
  std::string head_;  // the lines of the response being received
  bool headDone_ = false;
  bool headBad_ = false;
  bool connected_ = false;  // to the server of the current request
  Clock::time_point lastActivity_ = Clock::now();
  std::string body_;
  size_t bodyAt_ = 0;
  bool done_ = false;
  bool cancelled_ = false;
  CURLcode result_ = CURLE_OK;
  std::atomic<bool> shut_{false};
};

HttpConnection::Transfer::Transfer(const HttpRequest& request, const NetTimeouts& timeouts,
                                   int cancelFd)
    : timeouts_(timeouts), cancelFd_(cancelFd) {
  easy_.reset(curl_easy_init());
  multi_.reset(curl_multi_init());
  if (!easy_ || !multi_) {
    done_ = true;
    result_ = CURLE_OUT_OF_MEMORY;
    return;
  }
  CURL* easy = easy_.get();
  curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  // The answer of a proxy to CONNECT is not the server's head.
  curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts.connectMs));
  curl_easy_setopt(easy, CURLOPT_USERAGENT, "Zephonic");
  // Old Shoutcast servers answer "ICY 200 OK"; the head parser reads the real status.
  aliases_ = Append(std::move(aliases_), "ICY");
  curl_easy_setopt(easy, CURLOPT_HTTP200ALIASES, aliases_.get());
  headers_ = Append(std::move(headers_), "Accept: */*");
  if (request.metadata) {
    headers_ = Append(std::move(headers_), "Icy-MetaData: 1");
  }
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers_.get());
  if (request.rangeStart >= 0) {
    const std::string range = std::to_string(request.rangeStart) + "-";
    curl_easy_setopt(easy, CURLOPT_RANGE, range.c_str());  // copied by libcurl
  }
  // As curl's own tool: the environment may name the certificates to trust.
  if (const char* bundle = std::getenv("CURL_CA_BUNDLE")) {
    curl_easy_setopt(easy, CURLOPT_CAINFO, bundle);
  } else if (const char* file = std::getenv("SSL_CERT_FILE")) {
    curl_easy_setopt(easy, CURLOPT_CAINFO, file);
  }
  if (const char* folder = std::getenv("SSL_CERT_DIR")) {
    curl_easy_setopt(easy, CURLOPT_CAPATH, folder);
  }
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Transfer::OnHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::OnBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, &Transfer::OnConnected);
  curl_easy_setopt(easy, CURLOPT_PREREQDATA, this);
  curl_multi_add_handle(multi_.get(), easy);
}

HttpConnection::Transfer::~Transfer() {
  if (multi_ && easy_) {
    curl_multi_remove_handle(multi_.get(), easy_.get());
  }
}

size_t HttpConnection::Transfer::OnHeader(char* data, size_t size, size_t count, void* self) {
  auto* transfer = static_cast<Transfer*>(self);
  transfer->lastActivity_ = Clock::now();
  return transfer->HeadLine(std::string(data, size * count)) ? size * count : 0;
}

size_t HttpConnection::Transfer::OnBody(char* data, size_t size, size_t count, void* self) {
  auto* transfer = static_cast<Transfer*>(self);
  transfer->lastActivity_ = Clock::now();
  if (transfer->bodyAt_ == transfer->body_.size()) {
    transfer->body_.clear();
    transfer->bodyAt_ = 0;
  }
  transfer->body_.append(data, size * count);
  return size * count;
}

int HttpConnection::Transfer::OnConnected(void* self, char*, char*, int, int) {
  auto* transfer = static_cast<Transfer*>(self);
  transfer->connected_ = true;
  transfer->lastActivity_ = Clock::now();
  return CURL_PREREQFUNC_OK;
}

// Collects the lines of each response head; the head of the answer that is not a redirect
// libcurl follows is the one kept. False stops the transfer.
bool HttpConnection::Transfer::HeadLine(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
    line.pop_back();
  }
  if (headDone_) {
    return true;  // trailers
  }
  if (StartsWith(line, "HTTP/") || StartsWith(line, "ICY ")) {
    head_.clear();
  }
  if (!line.empty()) {
    head_ += line + "\r\n";
    headBad_ = head_.size() > kMaxHeadBytes;
    return !headBad_;
  }
  IcyResponse parsed;
  if (!ParseIcyResponse(head_, &parsed)) {
    headBad_ = true;
    return false;
  }
  head_.clear();
  const bool followed = parsed.status < 200 ||
                        (parsed.status >= 300 && parsed.status < 400 && !parsed.location.empty());
  if (followed) {
    connected_ = false;  // the next server gets its own time to connect
    return true;
  }
  response = std::move(parsed);
  headDone_ = true;
  char* effective = nullptr;
  if (curl_easy_getinfo(easy_.get(), CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective) {
    url = effective;
  }
  return true;
}

void HttpConnection::Transfer::Perform() {
  int running = 0;
  curl_multi_perform(multi_.get(), &running);
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi_.get(), &left)) {
    if (message->msg == CURLMSG_DONE) {
      done_ = true;
      result_ = message->data.result;
    }
  }
}

template <typename Ready, typename Deadline>
bool HttpConnection::Transfer::Drive(Ready ready, Deadline deadline) {
  while (true) {
    if (shut_ || cancelled_) {
      return false;
    }
    Perform();
    if (ready()) {
      return true;
    }
    const int waitMs = RemainingMs(deadline());
    if (done_ || waitMs == 0) {
      return false;
    }
    curl_waitfd cancel{cancelFd_, CURL_WAIT_POLLIN, 0};
    curl_multi_poll(multi_.get(), &cancel, cancelFd_ >= 0 ? 1 : 0, waitMs, nullptr);
    cancelled_ = cancel.revents != 0;
  }
}

bool HttpConnection::Transfer::AwaitHead(ZSoundError* error) {
  const auto deadline = [this] {
    const int ms = connected_ ? timeouts_.readMs : timeouts_.connectMs + timeouts_.readMs;
    return lastActivity_ + std::chrono::milliseconds(ms);
  };
  if (!Drive([this] { return headDone_; }, deadline)) {
    if (headBad_) {
      *error = ZSoundError::Network;
    } else if (done_) {
      *error = result_ == CURLE_OK ? ZSoundError::Network : ErrorFor(result_);
    } else {
      *error = ZSoundError::Timeout;
    }
    return false;
  }
  if (response.status != 200 && response.status != 206) {
    *error = ZSoundError::Network;
    return false;
  }
  return true;
}

ssize_t HttpConnection::Transfer::Receive(uint8_t* buffer, size_t size, int ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  if (!HasBody() && !Drive([this] { return HasBody(); }, [deadline] { return deadline; })) {
    return done_ && result_ == CURLE_OK && !shut_ ? 0 : -1;
  }
  const size_t take = std::min(size, body_.size() - bodyAt_);
  std::memcpy(buffer, body_.data() + bodyAt_, take);
  bodyAt_ += take;
  return static_cast<ssize_t>(take);
}

void HttpConnection::Transfer::Shutdown() {
  shut_ = true;
  curl_multi_wakeup(multi_.get());
}

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) {
    close(fd_);
  }
}

UniqueFd::UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  std::swap(fd_, other.fd_);
  return *this;
}

WakeSignal::WakeSignal() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

void WakeSignal::Raise() {
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(fd_.get(), &one, sizeof(one));
}

void WakeSignal::Clear() {
  uint64_t count = 0;
  [[maybe_unused]] const ssize_t got = read(fd_.get(), &count, sizeof(count));
}

HttpConnection::HttpConnection() = default;
HttpConnection::~HttpConnection() = default;
HttpConnection::HttpConnection(HttpConnection&& other) noexcept = default;
HttpConnection& HttpConnection::operator=(HttpConnection&& other) noexcept = default;

bool HttpConnection::Open(const HttpRequest& request, const NetTimeouts& timeouts, int cancelFd,
                          ZSoundError* error) {
  InitCurlOnce();
  if (!IsWebAddress(request.url)) {
    *error = ZSoundError::Parameter;
    return false;
  }
  transfer_ = std::make_unique<Transfer>(request, timeouts, cancelFd);
  return transfer_->AwaitHead(error);
}

const IcyResponse& HttpConnection::Response() const {
  static const IcyResponse none;
  return transfer_ ? transfer_->response : none;
}

const std::string& HttpConnection::Url() const {
  static const std::string none;
  return transfer_ ? transfer_->url : none;
}

ssize_t HttpConnection::Receive(uint8_t* buffer, size_t size, int ms) {
  return transfer_ ? transfer_->Receive(buffer, size, ms) : -1;
}

void HttpConnection::Shutdown() {
  if (transfer_) {
    transfer_->Shutdown();
  }
}
