# application shell
