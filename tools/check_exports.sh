#!/usr/bin/env bash
# Checks that a built libzqvnle.so exports exactly the names in ext/zqvnle.map,
# none of them C++-mangled, and that it depends on no host library.
set -euo pipefail
lib=$1
map=$2
expected=$(sed -n '/global:/,/local:/p' "$map" | grep -v -e 'global:' -e 'local:' | tr ';' '\n' | tr -d ' \t' | grep -v '^$' | sort)
actual=$(nm -D --defined-only "$lib" | awk '{print $3}' | sort)
status=0
if grep -q '^_Z' <<<"$actual"; then
  echo "mangled exports:"; grep '^_Z' <<<"$actual"; status=1
fi
missing=$(comm -23 <(echo "$expected") <(echo "$actual"))
extra=$(comm -13 <(echo "$expected") <(echo "$actual"))
if [ -n "$missing" ]; then echo "names not exported:"; echo "$missing"; status=1; fi
if [ -n "$extra" ]; then echo "unexpected exports:"; echo "$extra"; status=1; fi
if readelf -d "$lib" | grep NEEDED | grep -q zqhost; then
  echo "libzqvnle.so must not depend on libzqhost.so"; status=1
fi
count=$(wc -l <<<"$actual")
[ $status -eq 0 ] && echo "exports: $count names, as listed"
exit $status
