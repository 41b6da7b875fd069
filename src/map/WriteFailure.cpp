#include "map/WriteFailure.h"

#include <cerrno>
#include <sys/resource.h>

std::string writeFailureReason(int error)
{
    switch (error) {
    case ENOSPC:
        return "le disque est plein";
    case EDQUOT:
        return "le quota du disque est dépassé";
    case EFBIG:
        return "le fichier dépasserait la taille autorisée";
    case EACCES:
    case EPERM:
        return "l'accès est refusé";
    case EROFS:
        return "le système de fichiers est en lecture seule";
    case ENOENT:
        return "le dossier n'existe pas";
    case ENOTDIR:
        return "un élément du chemin n'est pas un dossier";
    case EISDIR:
        return "c'est un dossier";
    case ENXIO: // what the writers say of a device or a pipe in a file's place
        return "ce n'est pas un fichier ordinaire";
    case ELOOP:
        return "les liens symboliques du chemin forment une boucle";
    case ENAMETOOLONG:
        return "le nom du fichier est trop long";
    case EIO:
        return "erreur d'entrée-sortie du disque";
    case ENOMEM:
        return "la mémoire manque";
    case EMFILE:
    case ENFILE:
        return "trop de fichiers sont ouverts";
    case EPIPE:
        return "le destinataire a fermé le canal";
    case ETXTBSY:
    case EBUSY:
        return "le fichier est occupé";
    default:
        return "erreur du système n° " + std::to_string(error);
    }
}

bool withinFileSizeLimit(uint64_t size)
{
    rlimit limit{};
    return ::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || size <= limit.rlim_cur;
}
