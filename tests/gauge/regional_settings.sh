#!/bin/bash
# Runs the module file test of the user's regional settings under Wine, in a
# prefix of its own kept in the build directory: the other tests share one
# prefix, two at a time, and must not meet a decimal comma there.
#   regional_settings.sh WINE_RUN PREFIX PROGRAM.exe
set -eu
wine_run=$1
export VQ_WINEPREFIX=$2
"$wine_run" --prepare
for value in sDecimal=, s1159=fm s2359=em; do
  "$wine_run" reg add 'HKCU\Control Panel\International' /v "${value%%=*}" /d "${value#*=}" /f >/dev/null
done
VQ_USER_SETTINGS=1 exec "$wine_run" "$3" --gtest_filter=Flight.ReadsTheUsersRegionalSettings
