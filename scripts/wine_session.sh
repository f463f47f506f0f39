#!/usr/bin/env bash
# wine_session.sh COMMAND...: runs COMMAND in the Wine session ctest allotted to the test.
# scripts/test.sh starts several sessions (a prefix and an Xvfb each) and offers them to ctest as
# the resource "wine"; a test holding one finds its id in CTEST_RESOURCE_GROUP_0_WINE
# ("id:N,slots:1") and the session's settings in $HOP_SESSIONS/N/session.env. Without an
# allotment (a plain ctest run) the command runs in the caller's session, and without one of
# those not at all: Wine would otherwise make and use the user's own prefix.
set -euo pipefail
allotted=${CTEST_RESOURCE_GROUP_0_WINE:-}
if [ -n "$allotted" ]; then
  id=${allotted#id:}
  source "$HOP_SESSIONS/${id%%,*}/session.env"
fi
if [ -z "${WINEPREFIX:-}" ]; then
  echo "wine_session.sh: no Wine session (source scripts/wine_env.sh; hop_wine_up DIR)" >&2
  exit 1
fi
# Without address-space randomization: Wine 8 maps a page at a fixed address as a process starts,
# and now and then the randomized layout already holds it there; the process then ends with exit
# code 1 and, under WINEDEBUG=err+all, "failed to map the shared user data: c0000018" (seen in
# a full run, a probe of a scenario that had passed many times).
exec setarch "$(uname -m)" -R "$@"
