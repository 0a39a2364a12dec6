"""The accessibility tree as the end-to-end rounds search it: the first
object of a role and name under a node, a dozen levels deep at most."""


def find(node, role, name, depth=0):
    if node is None or depth > 12:
        return None
    try:
        if node.getRoleName() == role and node.name == name:
            return node
        for i in range(node.childCount):
            found = find(node.getChildAtIndex(i), role, name, depth + 1)
            if found:
                return found
    except Exception:
        # An object gone while it was read (a window closing) holds nothing.
        return None
    return None
