// The documents library holds the previewers, editors and version-control windows. This unit
// keeps the library non-empty while it grows.
namespace ov::documents_detail {
int libraryAnchor = 0;
}
