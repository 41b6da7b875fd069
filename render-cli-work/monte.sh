mount -t tmpfs -o size=64k tmpfs "$1" || exit 77
shift
exec "$@"
