#!/usr/bin/env bash
# Remakes the seeds of HttpAddressFuzz: addresses of the HTTP layer's address
# test table (tests/system/net/HttpAddressTest.cpp) and values of the escaping
# test (tests/online/HttpEscapeTest.cpp), one a file.
set -euo pipefail
cd "$(dirname "$0")/HttpAddressFuzz" 2>/dev/null || { mkdir -p "$(dirname "$0")/HttpAddressFuzz"; cd "$(dirname "$0")/HttpAddressFuzz"; }
find . -type f ! -name 'finding-*' -delete
printf '%s' 'http://127.0.0.1:80/scores?lang=en' >query.txt
printf '%s' 'HTTPS://example.invalid/page#name' >upper-case-and-fragment.txt
printf 'http://host/caf\xe9\x7f' >high-bytes.txt
printf '%s' 'file:///etc/passwd' >file-scheme.txt
printf '%s' 'http:/host' >one-slash.txt
printf 'http://host/?name=x\r\nX-Injected: 1' >line-break.txt
printf 'http://host/a\0b' >zero-byte.txt
printf '%s' 'a b+c=d/e~f!g' >value.txt
