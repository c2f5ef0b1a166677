#include "transport/ReplyExplanation.h"

#include <string>

namespace orvane {
namespace {

struct Explanation {
  std::string_view code;  // "5.1.1", "5.5" (class and subject) or "550"
  const char16_t* text;
};

// Exact enhanced codes first, then a class and subject, then basic codes;
// the first entry that matches wins.
constexpr Explanation kExplanations[] = {
    {"5.1.1", u"宛先のメールアドレスがありません。アドレスを確かめてください"},
    {"5.1.0", u"宛先のメールアドレスの形が正しくありません"},
    {"5.1.3", u"宛先のメールアドレスの形が正しくありません"},
    {"5.2.2", u"相手のメールボックスが一杯で受け取れません"},
    {"4.2.2", u"相手のメールボックスが一杯です。しばらくしてから送り直してください"},
    {"5.3.4", u"メールが大きすぎてサーバーが受け取れません"},
    {"5.2.3", u"メールが大きすぎて相手のメールボックスが受け取れません"},
    {"5.7.1", u"このサーバーからこの宛先への中継や送信が許されていません"},
    {"5.7.8", u"認証が通りません。ユーザー名とパスワードを確かめてください"},
    {"5.7.3", u"認証が通りません。ユーザー名とパスワードを確かめてください"},
    {"5.7.0", u"送信が制限されています (送信数や送信元の制限)"},
    {"4.7.0", u"送信が一時的に制限されています。しばらくしてから送り直してください"},
    {"5.7.57",
     u"Microsoft 365 の認証設定で送信できません。管理者が SMTP 認証を有効にするか、"
     u"OAuth 2.0 でサインインしてください"},
    {"5.7.139",
     u"Microsoft 365 の認証設定で送信できません。管理者が SMTP 認証を有効にするか、"
     u"OAuth 2.0 でサインインしてください"},
    {"5.7.26",
     u"送信元ドメインの認証 (SPF/DKIM/DMARC) が通らないため受け取りを断られました。"
     u"ドメインの管理者に確かめてください"},
    {"4.4.1",
     u"相手のサーバーにつながらないか接続が切れました。しばらくしてから送り直してください"},
    {"4.4.2", u"相手のサーバーとの接続が切れたか時間切れになりました"},
    {"4.3.2", u"サーバーが混雑しています。しばらくしてから送り直してください"},
    {"5.5", u"サーバーに命令が通じませんでした"},
    {"4.5", u"サーバーに命令が通じませんでした"},
    {"5.1", u"宛先のメールアドレスに問題があります"},
    {"5.2", u"相手のメールボックスが受け取れません"},
    {"4.2", u"相手のメールボックスが一時的に受け取れません"},
    {"5.3", u"相手のメールシステムが受け取れません"},
    {"4.3", u"相手のメールシステムが一時的に受け取れません"},
    {"4.4", u"相手のサーバーまで届けられません。しばらくしてから送り直してください"},
    {"5.4", u"相手のサーバーまで届けられません"},
    {"5.6", u"メールの内容や形式が受け取れないものです"},
    {"5.7", u"セキュリティや送信の方針により断られました"},
    {"4.7", u"セキュリティや送信の方針により一時的に断られました"},
    {"421", u"サーバーが接続を終えました。しばらくしてから送り直してください"},
    {"450", u"相手のメールボックスが一時的に使えません"},
    {"451", u"サーバー側のエラーで処理が中断しました。しばらくしてから送り直してください"},
    {"452", u"サーバーの容量が足りません。しばらくしてから送り直してください"},
    {"454", u"サーバーが一時的に認証や暗号化を受け付けません"},
    {"500", u"サーバーに命令が通じませんでした"},
    {"501", u"サーバーに命令が通じませんでした"},
    {"502", u"サーバーに命令が通じませんでした"},
    {"503", u"サーバーに命令が通じませんでした"},
    {"504", u"サーバーに命令が通じませんでした"},
    {"530", u"このサーバーから送るには認証が必要です。アカウントの SMTP 認証を確かめてください"},
    {"535", u"認証が通りません。ユーザー名とパスワードを確かめてください"},
    {"550", u"宛先のメールボックスが使えないか、送信が断られました"},
    {"551", u"この宛先はこのサーバーでは受け付けていません"},
    {"552", u"メールが大きすぎるか、相手のメールボックスが一杯です"},
    {"553", u"メールアドレスの形が受け付けられません"},
    {"554", u"サーバーがこのメールを受け取りませんでした"},
};

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// The digits and dots that follow, as ASCII.
std::string CodeAt(std::u16string_view text) {
  std::string code;
  for (char16_t c : text) {
    if (!IsDigit(c) && c != u'.') break;
    code += static_cast<char>(c);
  }
  return code;
}

// "class.subject.detail" with 1-3 digits in subject and detail.
bool IsEnhancedCode(std::string_view code) {
  std::size_t first = code.find('.');
  std::size_t second = code.find('.', first + 1);
  if (first != 1 || second == std::string_view::npos) return false;
  std::size_t subject = second - first - 1;
  std::size_t detail = code.size() - second - 1;
  return subject >= 1 && subject <= 3 && detail >= 1 && detail <= 3 &&
         code.find('.', second + 1) == std::string_view::npos;
}

const char16_t* Lookup(std::string_view code) {
  for (const Explanation& e : kExplanations)
    if (e.code == code) return e.text;
  return nullptr;
}

}  // namespace

WideString ReplyExplanation(std::u16string_view reply) {
  if (reply.size() < 3 || (reply[0] != u'4' && reply[0] != u'5') || !IsDigit(reply[1]) ||
      !IsDigit(reply[2]))
    return {};
  const std::string basic = CodeAt(reply.substr(0, 3));
  if (reply.size() > 4 && (reply[3] == u' ' || reply[3] == u'-')) {
    const std::string enhanced = CodeAt(reply.substr(4));
    if (IsEnhancedCode(enhanced) && enhanced[0] == basic[0]) {
      if (const char16_t* text = Lookup(enhanced)) return text;
      if (const char16_t* text = Lookup(enhanced.substr(0, enhanced.find('.', 2)))) return text;
    }
  }
  const char16_t* text = Lookup(basic);
  return text ? WideString(text) : WideString();
}

WideString ExplainedReply(const WideString& reply) {
  const WideString explanation = ReplyExplanation(reply);
  return explanation.empty() ? reply : u"【" + explanation + u"】 " + reply;
}

}  // namespace orvane
