#!/usr/bin/env bash
# Installs the engine from a build folder into a scratch prefix, builds a client
# against it with find_package(Keyra), and checks what the client reports.
set -euo pipefail
build_dir=$1
client_src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build_dir" --prefix "$work/prefix" > /dev/null
cmake -S "$client_src" -B "$work/client" -DCMAKE_PREFIX_PATH="$work/prefix" \
      -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$work/client" > /dev/null
output=$("$work/client/keyra_client")
echo "client says: $output"
[[ "$output" == A:min* ]]
