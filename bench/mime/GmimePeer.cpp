#include "GmimePeer.h"

#include <fcntl.h>
#include <gmime/gmime.h>

#include <cstdio>
#include <cstdlib>

namespace orvane::bench {
namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "GMime: %s\n", what);
  std::exit(1);
}

// Unreferences a GObject when it goes out of scope.
template <class T>
struct Ref {
  T* object;
  explicit Ref(T* o) : object(o) {
    if (!o) Fail("object not created");
  }
  ~Ref() { g_object_unref(object); }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  T* get() const { return object; }
};

}  // namespace

void InitGmime() {
  g_mime_init();
}

std::size_t GmimeBase64EncodeCapacity(std::size_t size) {
  return GMIME_BASE64_ENCODE_LEN(size);
}

std::size_t GmimeBase64Encode(std::string_view bytes, char* out) {
  int state = 0;
  guint32 save = 0;
  auto* o = reinterpret_cast<unsigned char*>(out);
  return g_mime_encoding_base64_encode_close(reinterpret_cast<const unsigned char*>(bytes.data()),
                                             bytes.size(), o, &state, &save);
}

std::size_t GmimeBase64Decode(std::string_view text, char* out) {
  int state = 0;
  guint32 save = 0;
  return g_mime_encoding_base64_decode_step(reinterpret_cast<const unsigned char*>(text.data()),
                                            text.size(), reinterpret_cast<unsigned char*>(out),
                                            &state, &save);
}

GmimeBytes::~GmimeBytes() {
  if (array_) g_byte_array_unref(array_);
}

GmimeBytes& GmimeBytes::operator=(GmimeBytes&& other) noexcept {
  if (this != &other) {
    if (array_) g_byte_array_unref(array_);
    array_ = other.array_;
    other.array_ = nullptr;
  }
  return *this;
}

std::string_view GmimeBytes::View() const {
  if (!array_) return {};
  return {reinterpret_cast<const char*>(array_->data), array_->len};
}

GmimeBytes GmimeCompose(const BenchMessage& message) {
  Ref<GMimeMessage> mail(g_mime_message_new(TRUE));
  g_mime_message_add_mailbox(mail.get(), GMIME_ADDRESS_TYPE_FROM, message.fromName.c_str(),
                             message.fromAddress.c_str());
  g_mime_message_add_mailbox(mail.get(), GMIME_ADDRESS_TYPE_TO, message.toName.c_str(),
                             message.toAddress.c_str());
  g_mime_message_set_subject(mail.get(), message.subject.c_str(), nullptr);
  GDateTime* now = g_date_time_new_now_local();
  g_mime_message_set_date(mail.get(), now);
  g_date_time_unref(now);
  g_mime_message_set_message_id(mail.get(), "bench.gmime@example.com");

  Ref<GMimeMultipart> mixed(g_mime_multipart_new_with_subtype("mixed"));
  Ref<GMimeTextPart> text(g_mime_text_part_new_with_subtype("plain"));
  g_mime_text_part_set_text(text.get(), message.body.c_str());
  g_mime_multipart_add(mixed.get(), GMIME_OBJECT(text.get()));

  Ref<GMimePart> attachment(g_mime_part_new_with_type("application", "octet-stream"));
  g_mime_part_set_filename(attachment.get(), message.attachment.filename().c_str());
  GError* error = nullptr;
  GMimeStream* file = g_mime_stream_fs_open(message.attachment.c_str(), O_RDONLY, 0, &error);
  if (!file) Fail("cannot open the attachment");
  Ref<GMimeStream> fileRef(file);
  Ref<GMimeDataWrapper> content(
      g_mime_data_wrapper_new_with_stream(file, GMIME_CONTENT_ENCODING_DEFAULT));
  g_mime_part_set_content(attachment.get(), content.get());
  g_mime_part_set_content_encoding(attachment.get(), GMIME_CONTENT_ENCODING_BASE64);
  g_mime_multipart_add(mixed.get(), GMIME_OBJECT(attachment.get()));
  g_mime_message_set_mime_part(mail.get(), GMIME_OBJECT(mixed.get()));

  GMimeFormatOptions* options = g_mime_format_options_new();
  g_mime_format_options_set_newline_format(options, GMIME_NEWLINE_FORMAT_DOS);
  GByteArray* array = g_byte_array_new();
  Ref<GMimeStream> out(g_mime_stream_mem_new_with_byte_array(array));
  g_mime_stream_mem_set_owner(GMIME_STREAM_MEM(out.get()), FALSE);
  if (g_mime_object_write_to_stream(GMIME_OBJECT(mail.get()), options, out.get()) < 0)
    Fail("writing the message failed");
  g_mime_format_options_free(options);
  return GmimeBytes(array);
}

GmimeDecoded GmimeDecode(std::string_view message, const std::filesystem::path& folder) {
  Ref<GMimeStream> in(g_mime_stream_mem_new_with_buffer(message.data(), message.size()));
  Ref<GMimeParser> parser(g_mime_parser_new_with_stream(in.get()));
  Ref<GMimeMessage> mail(g_mime_parser_construct_message(parser.get(), nullptr));

  GmimeDecoded decoded;
  GMimePartIter* iter = g_mime_part_iter_new(GMIME_OBJECT(mail.get()));
  for (bool more = g_mime_part_iter_is_valid(iter); more; more = g_mime_part_iter_next(iter)) {
    GMimeObject* current = g_mime_part_iter_get_current(iter);
    if (!GMIME_IS_PART(current)) continue;
    GMimePart* part = GMIME_PART(current);
    if (GMIME_IS_TEXT_PART(current) && !g_mime_part_is_attachment(part) && decoded.text.empty()) {
      char* text = g_mime_text_part_get_text(GMIME_TEXT_PART(current));
      if (text) decoded.text = text;
      g_free(text);
    } else if (g_mime_part_is_attachment(part) && decoded.attachment.empty()) {
      const char* name = g_mime_part_get_filename(part);
      decoded.attachment = folder / (name ? name : "attachment");
      GError* error = nullptr;
      GMimeStream* file = g_mime_stream_fs_open(decoded.attachment.c_str(),
                                                O_WRONLY | O_CREAT | O_TRUNC, 0644, &error);
      if (!file) Fail("cannot create the saved attachment");
      Ref<GMimeStream> fileRef(file);
      if (g_mime_data_wrapper_write_to_stream(g_mime_part_get_content(part), file) < 0 ||
          g_mime_stream_flush(file) != 0)
        Fail("saving the attachment failed");
    }
  }
  g_mime_part_iter_free(iter);
  return decoded;
}

}  // namespace orvane::bench
