# The maker's public key for update packages, compiled into both programs.
#
# CORVANE_UPDATE_PUBLIC_KEY names a PEM file holding an ECDSA P-256 public
# key. At configure time it becomes a source file that gives the key's DER
# SubjectPublicKeyInfo bytes to UpdatePublicKeyDer() (updater/UpdatePublicKey.h).
# Without a key the function gives empty bytes, and the updater refuses every
# package.
set(CORVANE_UPDATE_PUBLIC_KEY "" CACHE FILEPATH
    "PEM file with the ECDSA P-256 public key update packages are signed for (empty: every package is refused)")

# The DER form of every P-256 key in uncompressed form starts with these
# 27 bytes (SEQUENCE, the algorithm id-ecPublicKey with prime256v1, the BIT
# STRING header and the point's 04), followed by the 64 bytes of X and Y.
set(_corvane_p256_spki_prefix "3059301306072a8648ce3d020106082a8648ce3d03010703420004")

function(_corvane_update_key_der_hex pem out_var)
  if(NOT EXISTS "${pem}" OR IS_DIRECTORY "${pem}")
    message(FATAL_ERROR "CORVANE_UPDATE_PUBLIC_KEY: no such file: ${pem}")
  endif()
  find_program(CORVANE_OPENSSL openssl NO_CMAKE_FIND_ROOT_PATH)
  if(NOT CORVANE_OPENSSL)
    message(FATAL_ERROR "CORVANE_UPDATE_PUBLIC_KEY: the openssl program is needed to read the key (apt-get install openssl)")
  endif()
  set(der "${CMAKE_BINARY_DIR}/update-public-key.der")
  # -pubin: a private key file is refused here, so it never ends up in a program.
  execute_process(COMMAND "${CORVANE_OPENSSL}" pkey -pubin -in "${pem}" -outform DER -out "${der}"
                  RESULT_VARIABLE result ERROR_VARIABLE error OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    file(REMOVE "${der}")
    message(FATAL_ERROR "CORVANE_UPDATE_PUBLIC_KEY: ${pem} is not a PEM public key (give the public half: "
                        "openssl pkey -in maker.pem -pubout -out maker.pub.pem):\n${error}")
  endif()
  file(READ "${der}" hex HEX)
  file(REMOVE "${der}")
  string(LENGTH "${hex}" digits)
  string(FIND "${hex}" "${_corvane_p256_spki_prefix}" prefix_at)
  if(NOT digits EQUAL 182 OR NOT prefix_at EQUAL 0)
    message(FATAL_ERROR "CORVANE_UPDATE_PUBLIC_KEY: ${pem} is not an ECDSA P-256 public key "
                        "(make one with: openssl ecparam -name prime256v1 -genkey -noout -out maker.pem; "
                        "openssl pkey -in maker.pem -pubout -out maker.pub.pem)")
  endif()
  set(${out_var} "${hex}" PARENT_SCOPE)
endfunction()

# corvane_update_public_key_source(out_var): the generated source's path.
function(corvane_update_public_key_source out_var)
  set(bytes "")
  if(NOT CORVANE_UPDATE_PUBLIC_KEY STREQUAL "")
    get_filename_component(pem "${CORVANE_UPDATE_PUBLIC_KEY}" ABSOLUTE BASE_DIR "${CMAKE_BINARY_DIR}")
    _corvane_update_key_der_hex("${pem}" hex)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
    # A changed key file configures again.
    set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${pem}")
  endif()
  set(source "${CMAKE_BINARY_DIR}/generated/UpdatePublicKey.cpp")
  # file(CONFIGURE) writes only when the text changes: no rebuild otherwise.
  file(CONFIGURE OUTPUT "${source}" CONTENT [==[
// Generated from CORVANE_UPDATE_PUBLIC_KEY when the build was configured.
#include "updater/UpdatePublicKey.h"

namespace corvane {
namespace {

constexpr char kKeyDer[] = {@bytes@ 0};

}  // namespace

std::string_view UpdatePublicKeyDer() { return std::string_view(kKeyDer, sizeof kKeyDer - 1); }

}  // namespace corvane
]==] @ONLY)
  set(${out_var} "${source}" PARENT_SCOPE)
endfunction()
